#include "render/Canvas.h"

#include <QFontMetrics>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "render/AxisShapes.h"
#include "render/BundledFonts.h"
#include "render/MapPicture.h"
#include "render/PixelFrame.h"

Canvas::Canvas(QImage& image, CanvasState& state)
    : frame_(ViewFrame(image)), state_(state), ownPainter_(&image), painter_(&ownPainter_) {
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, false);
  // A clip of the whole picture changes no pixel, and lets the painter write
  // one-pixel lines straight into the picture instead of span by span.
  painter_->setClipRect(frame_);
  // On a picture of a screen whose pixels are finer than the view's, the
  // painter scales the view's pixels to the picture's, icons smoothly.
  ratio_ = image.devicePixelRatio();
  if (ratio_ != 1.0) painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
  // Taken once the painter holds the picture, so that both write the same pixels.
  if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32 ||
      image.format() == QImage::Format_ARGB32_Premultiplied)
    pending_.emplace(image);
}

Canvas::Canvas(QPainter& painter, const QSize& size, CanvasState& state)
    : frame_(QPoint(0, 0), size), state_(state), painter_(&painter), device_(true) {
  painter_->save();
  painter_->setClipRect(frame_, Qt::IntersectClip);
}

Canvas::~Canvas() {
  if (pending_) pending_->WriteOutAll();
  if (device_) painter_->restore();
}

QFont CanvasFont(int pointSize, bool bold, bool italic, bool underline, bool strikeOut) {
  QFont font(kMapFontFamily);
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
  // On a device the thinnest line is a picture pixel wide, not a device's dot.
  // So is it on a picture of finer pixels.
  pen.setWidth(penWidth_ > 1 ? penWidth_ : device_ || ratio_ != 1.0 ? 1 : 0);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  painter_->setPen(pen);
}

void Canvas::ApplyBrush() {
  if (brushSet_ && brushColor_ == state_.BrushColor) return;
  brushSet_ = true;
  brushColor_ = state_.BrushColor;
  painter_->setBrush(brushColor_);
}

void Canvas::ApplyFont() {
  const int flags = (state_.FontBold ? 1 : 0) | (state_.FontItalic ? 2 : 0) | (state_.FontUnderline ? 4 : 0) |
                    (state_.FontStrikeOut ? 8 : 0);
  if (fontSize_ == state_.FontSize && fontFlags_ == flags) return;
  fontSize_ = state_.FontSize;
  fontFlags_ = flags;
  font_ = CanvasFont(fontSize_, state_.FontBold, state_.FontItalic, state_.FontUnderline, state_.FontStrikeOut);
  fontKey_ = font_.key();
  painter_->setFont(font_);
  metrics_.emplace(font_);
}

namespace {

// Rectangles up to this wide are filled word by word (Canvas::FillOpaque).
constexpr int kNarrowFill = 8;

bool Opaque(const QColor& color) { return color.alpha() == 255; }

// Pixels around a line's points that its pen may still touch beyond half its
// width (round ends, the one-pixel pen's last pixel).
constexpr int kPenSpill = 2;

}  // namespace

namespace {

// The device pixel a picture pixel's edge falls on: the first whose centre
// lies beyond it.
int DeviceEdge(int edge, double ratio) { return static_cast<int>(std::ceil(edge * ratio - 0.5)); }

}  // namespace

QRect Canvas::DevicePixels(const QRect& rect) const {
  if (ratio_ == 1.0 || rect.isEmpty()) return rect;
  return QRect(QPoint(DeviceEdge(rect.left(), ratio_), DeviceEdge(rect.top(), ratio_)),
               QPoint(DeviceEdge(rect.right() + 1, ratio_) - 1, DeviceEdge(rect.bottom() + 1, ratio_) - 1));
}

void Canvas::FillRect(const QRect& rect) {
  if (pending_ && Opaque(state_.BrushColor)) {
    // A clear of the whole picture is held back tile by tile with what is
    // filled over it.
    if (rect.contains(frame_)) return pending_->Clear(state_.BrushColor.rgb());
    return FillOpaque(rect, state_.BrushColor);
  }
  BeforePainting(rect);
  painter_->fillRect(rect, state_.BrushColor);
}

void Canvas::BeforePainting(const QRect& area) {
  if (pending_) pending_->WriteOut(DevicePixels(area));
}

namespace {

// The part of the segment inside the rectangle (Liang and Barsky); false when
// none is.
bool ClipToRect(const QRect& rect, QPointF& from, QPointF& to) {
  const QPointF d = to - from;
  double t0 = 0, t1 = 1;
  auto edge = [&](double p, double q) {
    if (p == 0) return q >= 0;
    const double t = q / p;
    if (p < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    return t0 <= t1;
  };
  if (!edge(-d.x(), from.x() - rect.left()) || !edge(d.x(), rect.right() - from.x()) ||
      !edge(-d.y(), from.y() - rect.top()) || !edge(d.y(), rect.bottom() - from.y()))
    return false;
  const QPointF start = from;
  from = start + d * t0;
  to = start + d * t1;
  return true;
}

// The pixels of the box of the segment from p to q, and `spill` more around.
QRect PixelsAround(const QPointF& p, const QPointF& q, int spill) {
  const QPoint topLeft(static_cast<int>(std::floor(std::min(p.x(), q.x()))),
                       static_cast<int>(std::floor(std::min(p.y(), q.y()))));
  const QPoint bottomRight(static_cast<int>(std::ceil(std::max(p.x(), q.x()))),
                           static_cast<int>(std::ceil(std::max(p.y(), q.y()))));
  return QRect(topLeft, bottomRight).adjusted(-spill, -spill, spill, spill);
}

}  // namespace

int Canvas::PenSpill() const { return std::max(state_.PenWidth, 1) / 2 + kPenSpill; }

QRect Canvas::ReachOfPoints(const QPoint* points, int count) const {
  int left = points[0].x(), right = left, top = points[0].y(), bottom = top;
  for (int i = 1; i < count; ++i) {
    left = std::min(left, points[i].x());
    right = std::max(right, points[i].x());
    top = std::min(top, points[i].y());
    bottom = std::max(bottom, points[i].y());
  }
  const int spill = PenSpill();
  return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-spill, -spill, spill, spill);
}

void Canvas::BeforeStroking(const QPoint* points, int count, bool closed) {
  if (!pending_ || !pending_->AnyHeld()) return;
  // Piece by piece along each edge, so that a long slanted line writes out
  // the tiles along it and not every tile of its bounding box.
  constexpr int kPiece = 64;
  const int spill = PenSpill() + 1;  // and a pixel for the pieces' rounded ends
  const QRect picture = frame_.adjusted(-spill, -spill, spill, spill);
  const int edges = closed ? count : count - 1;
  for (int i = 0; i < edges; ++i) {
    QPointF from = points[i], to = points[(i + 1) % count];
    if (!ClipToRect(picture, from, to)) continue;
    const QPointF step = to - from;
    const int pieces = static_cast<int>(std::max(std::abs(step.x()), std::abs(step.y())) / kPiece) + 1;
    for (int k = 0; k < pieces; ++k)
      pending_->WriteOut(DevicePixels(PixelsAround(from + step * k / pieces, from + step * (k + 1) / pieces, spill)));
  }
}

void Canvas::FillOpaque(const QRect& rect, const QColor& color) {
  const QRect inside = rect & frame_;
  if (inside.isEmpty()) return;
  // Once nothing is held back, the painter's own fill is the faster one for
  // wide rectangles; narrow ones (lines a pixel or a few wide) cost it a call
  // per row.
  // On finer pixels every rectangle goes to the same device pixels whichever
  // way it is filled.
  if (!pending_ || (ratio_ == 1.0 && !pending_->AnyHeld() && inside.width() > kNarrowFill))
    return painter_->fillRect(inside, color);
  // An opaque colour is the same word in every format PendingFills is taken for.
  pending_->Fill(DevicePixels(inside), color.rgb());
}

bool Canvas::AxisPolyline(const QPoint* points, int count) {
  if (device_ || !Opaque(state_.PenColor)) return false;
  PixelRects line;
  const bool axis = state_.PenWidth < 2 ? AxisThinLineRects(points, count, frame_, line)
                                        : AxisWideLineRects(points, count, state_.PenWidth, line);
  if (!axis) return false;
  for (const QRect& r : line) FillOpaque(r, state_.PenColor);
  return true;
}

bool Canvas::AxisPolygon(const QPoint* points, int count) {
  if (device_ || state_.PenWidth > 1 || !Opaque(state_.PenColor) || !Opaque(state_.BrushColor)) return false;
  PixelRects fill, outline;
  if (!AxisOutlineRects(points, count, fill, outline)) return false;
  QRect bounds;
  for (const QRect& edge : outline) bounds |= edge;
  if (!frame_.contains(bounds)) {
    // Cut at the picture's edge, the painter's one-pixel outline leaves out
    // pixels by rules of its own; its fill is the rectangles' pixels inside.
    for (const QRect& r : fill) FillOpaque(r, state_.BrushColor);
    OutlineThroughPainter(points, count);
    return true;
  }
  // A rectangle outlined in its own colour is one rectangle of pixels.
  if (fill.size() == 1 && fill[0].adjusted(0, 0, 1, 1) == bounds &&
      state_.PenColor.rgba() == state_.BrushColor.rgba()) {
    FillOpaque(bounds, state_.BrushColor);
    return true;
  }
  for (const QRect& r : fill) FillOpaque(r, state_.BrushColor);
  for (const QRect& r : outline) FillOpaque(r, state_.PenColor);
  return true;
}

namespace {

// At the view's pixels the one-pixel pen covers the pixel right of and below
// each point it passes; on a picture of finer pixels the pen, a view pixel
// wide, is moved half a view pixel so as to cover the same square.
class ThinPenOnFinePixels {
 public:
  // `finePicture`: the canvas draws on its own picture of finer pixels.
  ThinPenOnFinePixels(QPainter& painter, bool finePicture, int penWidth)
      : painter_(painter), shift_(finePicture && penWidth < 2) {
    if (shift_) painter_.translate(0.5, 0.5);
  }
  ~ThinPenOnFinePixels() {
    if (shift_) painter_.translate(-0.5, -0.5);
  }
  ThinPenOnFinePixels(const ThinPenOnFinePixels&) = delete;
  ThinPenOnFinePixels& operator=(const ThinPenOnFinePixels&) = delete;

 private:
  QPainter& painter_;
  bool shift_;
};

}  // namespace

void Canvas::OutlineThroughPainter(const QPoint* points, int count) {
  BeforeStroking(points, count, true);
  ApplyPen();
  painter_->setBrush(Qt::NoBrush);
  brushSet_ = false;
  const ThinPenOnFinePixels shift(*painter_, ratio_ != 1.0, state_.PenWidth);
  painter_->drawPolygon(points, count, Qt::OddEvenFill);
}

void Canvas::Polyline(const QPoint* points, int count) {
  if (count < 2 || AxisPolyline(points, count)) return;
  BeforeStroking(points, count, false);
  ApplyPen();
  const ThinPenOnFinePixels shift(*painter_, ratio_ != 1.0, state_.PenWidth);
  painter_->drawPolyline(points, count);
}

void Canvas::Polygon(const QPoint* points, int count) {
  if (count < 1 || AxisPolygon(points, count)) return;
  BeforePainting(ReachOfPoints(points, count));
  ApplyPen();
  ApplyBrush();
  const ThinPenOnFinePixels shift(*painter_, ratio_ != 1.0, state_.PenWidth);
  painter_->drawPolygon(points, count, Qt::OddEvenFill);
}

void Canvas::Polyline(const PicturePixel* points, int count) {
  FramePolyline(points, count, [this](const QPoint* run, int n) { Polyline(run, n); });
}

void Canvas::Polygon(const PicturePixel* points, int count) {
  FramePolygon(points, count, [this](const QPoint* cut, int n) { Polygon(cut, n); });
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
  const int spill = PenSpill();
  BeforePainting(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(-spill, -spill, spill, spill));
  ApplyPen();
  ApplyBrush();
  // The painter's outline covers the rectangle's right and bottom edges too, so
  // the rectangle is one pixel short of the box on each.
  const ThinPenOnFinePixels shift(*painter_, ratio_ != 1.0, state_.PenWidth);
  painter_->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

namespace {

// Pixels around a text's bounding rectangles that its glyphs may still touch.
constexpr int kStampMargin = 3;

// A text's bounds as the metrics give them; none where it leaves no ink (the
// metrics then answer with a place far away).
QRect InkBounds(const QRect& bounds) { return bounds.isEmpty() ? QRect() : bounds; }

// Where a text may leave pixels, from its baseline's start: its glyphs'
// bounds and its box, with the pixels around them its glyphs may still touch.
QRect TextInk(const QFontMetrics& metrics, const QString& text) {
  return InkBounds(metrics.boundingRect(text))
      .united(InkBounds(metrics.tightBoundingRect(text)))
      .united(QRect(0, -metrics.ascent(), metrics.horizontalAdvance(text), metrics.height()))
      .adjusted(-kStampMargin, -kStampMargin, kStampMargin, kStampMargin);
}

}  // namespace

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
  BeforePainting(TextInk(metrics, text).translated(x, y + metrics.ascent()));
  if (!state_.TransparentText)
    painter_->fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), state_.BrushColor);
  // The pen carries the font colour for the text only; the next line drawing
  // sets the canvas pen again.
  painter_->setPen(state_.FontColor);
  penWidth_ = -1;
  painter_->drawText(x, y + metrics.ascent(), text);
}

void Canvas::Draw(int x, int y, const QImage& icon) {
  if (icon.isNull()) return;
  BeforePainting(QRect(QPoint(x, y), icon.size()));
  painter_->drawImage(x, y, icon);
}

void Canvas::MakeStamp(const QString& text, TextStamp& stamp) {
  const QFontMetrics& metrics = *metrics_;
  const int advance = metrics.horizontalAdvance(text);
  const int height = metrics.height();
  stamp.Width = advance;
  const QRect ink = TextInk(metrics, text);
  // Glyphs reaching that far from the text's box are no text for a stamp.
  if (ink.width() > advance + 4 * height || ink.height() > 4 * height) {
    stamp.Plain = true;
    return;
  }
  // At the picture's pixels: a painter on the stamp scales as one on the picture.
  stamp.Glyphs = QImage(ink.size() * ratio_, QImage::Format_ARGB32_Premultiplied);
  stamp.Glyphs.setDevicePixelRatio(ratio_);
  stamp.Glyphs.fill(Qt::transparent);
  QPainter painter(&stamp.Glyphs);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font_);
  painter.setPen(state_.FontColor);
  painter.drawText(-ink.left(), -ink.top(), text);
  stamp.Corner = QPoint(ink.left(), ink.top() + metrics.ascent());
}

void Canvas::TextOut(int x, int y, const QString& text, TextStamp& stamp) {
  // A colour that lets the background through would be blended twice; a
  // device takes text as text.
  // On pixels finer by a fraction a stamp would land between device pixels.
  if (device_ || state_.FontColor.alpha() != 255 || text.isEmpty() || ratio_ != std::round(ratio_))
    return TextOut(x, y, text);
  ApplyFont();
  if (stamp.FontKey != fontKey_ || stamp.Color != state_.FontColor.rgba()) {
    // Written as it is the first time in this font and colour: a text shown
    // once is not worth its stamp, one shown again (the next redraw of much
    // the same view) is.
    stamp = TextStamp{};
    stamp.FontKey = fontKey_;
    stamp.Color = state_.FontColor.rgba();
    return TextOut(x, y, text);
  }
  // A stamp made for a screen of another scale is made again.
  if (!stamp.Glyphs.isNull() && stamp.Glyphs.devicePixelRatio() != ratio_) stamp.Glyphs = QImage();
  if (stamp.Glyphs.isNull() && !stamp.Plain) MakeStamp(text, stamp);
  if (stamp.Plain) return TextOut(x, y, text);
  const QRect box(x, y, stamp.Width, metrics_->height());
  const QRect glyphs(QPoint(x + stamp.Corner.x(), y + stamp.Corner.y()), stamp.Glyphs.deviceIndependentSize().toSize());
  BeforePainting(box.united(glyphs));
  if (!state_.TransparentText) painter_->fillRect(box, state_.BrushColor);
  painter_->drawImage(glyphs.topLeft(), stamp.Glyphs);
}
