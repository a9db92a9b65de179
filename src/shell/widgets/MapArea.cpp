#include "shell/widgets/MapArea.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

MapArea::MapArea(QWidget* parent) : QWidget(parent) {
  setObjectName("MapArea");
  setMouseTracking(true);  // moves without a button drive the hover hint
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
}

void MapArea::AddOverlay(QWidget* overlay) {
  overlay->setAttribute(Qt::WA_NoMousePropagation);
  overlay->installEventFilter(this);
}

void MapArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (OnPaint) OnPaint(painter);
}

void MapArea::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) OnMouseDown(event->button(), p.x(), p.y());
}

void MapArea::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(p.x(), p.y());
}

void MapArea::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseUp) OnMouseUp(event->button(), p.x(), p.y());
}

// The window system sends the second press of a double click as a press, then
// as a double click.
void MapArea::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnDoubleClick && OnDoubleClick(event->button(), p.x(), p.y())) return;
  QWidget::mouseDoubleClickEvent(event);
}

void MapArea::keyPressEvent(QKeyEvent* event) {
  if (OnKey && OnKey(event->key(), event->modifiers())) return;
  QWidget::keyPressEvent(event);
}

void MapArea::wheelEvent(QWheelEvent* event) {
  // One notch is 120 eighths of a degree; touch pads send smaller parts.
  wheelRemainder_ += event->angleDelta().y();
  const int steps = wheelRemainder_ / 120;
  wheelRemainder_ -= steps * 120;
  const QPoint p = event->position().toPoint();
  if (steps != 0 && OnWheel) OnWheel(steps, p.x(), p.y());
  event->accept();
}

void MapArea::resizeEvent(QResizeEvent* event) {
  if (OnResize) OnResize(event->oldSize());
}

void MapArea::leaveEvent(QEvent*) {
  if (OnMouseLeave) OnMouseLeave();
}

// Moving from the map onto an overlay gives the map no leave event (the
// overlay is its child); the overlay's enter event tells it.
bool MapArea::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter && OnMouseLeave) OnMouseLeave();
  return QWidget::eventFilter(watched, event);
}
