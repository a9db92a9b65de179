#include "render/Canvas.h"

#include <QFontMetrics>
#include <QPen>

#include "render/PixelFrame.h"

Canvas::Canvas(QImage& image, CanvasState& state) : image_(image), state_(state), painter_(&image) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
}

QFont CanvasFont(int pointSize, bool bold, bool italic, bool underline, bool strikeOut) {
  QFont font;
  // Sizes are points at 96 dots per inch, as the classic canvas measures them.
  font.setPixelSize(std::max(1, (pointSize * 96 + 36) / 72));
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setStrikeOut(strikeOut);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

void Canvas::ApplyPen() {
  if (penWidth_ == state_.PenWidth && penColor_ == state_.PenColor) return;
  penColor_ = state_.PenColor;
  penWidth_ = state_.PenWidth;
  // Width 0 or 1 is the one-pixel cosmetic line; wider pens have round ends
  // and joins.
  QPen pen(penColor_);
  pen.setWidth(penWidth_ > 1 ? penWidth_ : 0);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  painter_.setPen(pen);
}

void Canvas::ApplyBrush() {
  if (brushSet_ && brushColor_ == state_.BrushColor) return;
  brushSet_ = true;
  brushColor_ = state_.BrushColor;
  painter_.setBrush(brushColor_);
}

void Canvas::ApplyFont() {
  const int flags = (state_.FontBold ? 1 : 0) | (state_.FontItalic ? 2 : 0) | (state_.FontUnderline ? 4 : 0) |
                    (state_.FontStrikeOut ? 8 : 0);
  if (fontSize_ == state_.FontSize && fontFlags_ == flags) return;
  fontSize_ = state_.FontSize;
  fontFlags_ = flags;
  font_ = CanvasFont(fontSize_, state_.FontBold, state_.FontItalic, state_.FontUnderline, state_.FontStrikeOut);
  painter_.setFont(font_);
  metrics_.emplace(font_);
}

void Canvas::FillRect(const QRect& rect) { painter_.fillRect(rect, state_.BrushColor); }

void Canvas::Polyline(const QPoint* points, int count) {
  if (count < 2) return;
  ApplyPen();
  painter_.drawPolyline(points, count);
}

void Canvas::Polygon(const QPoint* points, int count) {
  if (count < 1) return;
  ApplyPen();
  ApplyBrush();
  painter_.drawPolygon(points, count, Qt::OddEvenFill);
}

void Canvas::Polyline(const PicturePixel* points, int count) {
  FramePolyline(points, count, [this](const QPoint* run, int n) { Polyline(run, n); });
}

void Canvas::Polygon(const PicturePixel* points, int count) {
  FramePolygon(points, count, [this](const QPoint* cut, int n) { Polygon(cut, n); });
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
  ApplyPen();
  ApplyBrush();
  // The painter's outline covers the rectangle's right and bottom edges too, so
  // the rectangle is one pixel short of the box on each.
  painter_.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

int Canvas::TextWidth(const QString& text) {
  ApplyFont();
  return metrics_->horizontalAdvance(text);
}

int Canvas::TextHeight() {
  ApplyFont();
  return metrics_->height();
}

void Canvas::TextOut(int x, int y, const QString& text) {
  ApplyFont();
  const QFontMetrics& metrics = *metrics_;
  if (!state_.TransparentText)
    painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), state_.BrushColor);
  // The pen carries the font colour for the text only; the next line drawing
  // sets the canvas pen again.
  painter_.setPen(state_.FontColor);
  penWidth_ = -1;
  painter_.drawText(x, y + metrics.ascent(), text);
}

void Canvas::Draw(int x, int y, const QImage& icon) {
  if (icon.isNull()) return;
  painter_.drawImage(x, y, icon);
}
