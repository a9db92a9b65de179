#include "shell/widgets/PanelEdge.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <utility>

PanelEdge::PanelEdge(QWidget* parent, const char* name, bool growsRightwards, std::function<int()> width,
                     std::function<void(int)> setWidth)
    : QWidget(parent), growsRightwards_(growsRightwards), width_(std::move(width)), setWidth_(std::move(setWidth)) {
  setObjectName(name);
  setFixedWidth(kThickness);
  setCursor(Qt::SplitHCursor);
  setAutoFillBackground(true);  // a strip of the window, not of the map under it
}

void PanelEdge::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragging_ = true;
  pressX_ = qRound(event->globalPosition().x());
  widthAtPress_ = width_();
}

void PanelEdge::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return QWidget::mouseMoveEvent(event);
  const int moved = qRound(event->globalPosition().x()) - pressX_;
  setWidth_(widthAtPress_ + (growsRightwards_ ? moved : -moved));
}

void PanelEdge::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && dragging_) {
    mouseMoveEvent(event);
    dragging_ = false;
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

void PanelEdge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOption option;
  option.initFrom(this);
  option.state |= QStyle::State_Horizontal;
  style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}
