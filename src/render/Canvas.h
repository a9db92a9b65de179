#pragma once
// A classic raster canvas over QPainter: pen, brush and font live in a
// CanvasState, every call draws with the state as it is at that moment.  No
// antialiasing anywhere, so that lines, fills and text keep crisp pixels.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>

#include <optional>

#include "render/AxisShapes.h"
#include "render/CanvasState.h"
#include "render/PendingFills.h"
#include "render/PicturePixel.h"
#include "render/TextStamp.h"

class Canvas {
 public:
  // On a picture whose device pixel ratio is not 1 (a screen at 150%, 200%)
  // the frame and everything drawn is in the view's pixels, drawn at the
  // picture's finer pixels.
  Canvas(QImage& image, CanvasState& state);
  // Draws through `painter` onto any device (a printer, a PDF file) within
  // the picture pixels (0, 0)-`size`, which the painter's transform places:
  // lines, fills and text go to the device as shapes and text, none of them
  // made of picture pixels first, so that they keep the device's resolution.
  Canvas(QPainter& painter, const QSize& size, CanvasState& state);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  CanvasState& State() { return state_; }
  // The picture pixels drawn on, from (0, 0): those of the picture, or those
  // a device's painter places.
  const QRect& Frame() const { return frame_; }

  // Fills with the brush colour, no outline.
  void FillRect(const QRect& rect);
  // Lines through the points with the pen; fewer than two points draw nothing.
  void Polyline(const QPoint* points, int count);
  // Filled with the brush and outlined with the pen.
  void Polygon(const QPoint* points, int count);
  // The same through pixels that may lie anywhere, cut at a frame far outside
  // the picture first (PixelFrame.h).
  void Polyline(const PicturePixel* points, int count);
  void Polygon(const PicturePixel* points, int count);
  // Ellipse in the box (x1, y1)-(x2, y2), right and bottom edges excluded.
  void Ellipse(int x1, int y1, int x2, int y2);
  // Text with its top-left corner at (x, y) in the font colour, on a box of
  // the brush colour unless the background mode is transparent.
  void TextOut(int x, int y, const QString& text);
  // The same through the text's stamp: made the second time the text is
  // written in the same font and colour, stamped from then on.
  void TextOut(int x, int y, const QString& text, TextStamp& stamp);
  int TextWidth(const QString& text);
  int TextHeight();
  // An icon with its top-left corner at (x, y); its transparent pixels stay.
  void Draw(int x, int y, const QImage& icon);

 private:
  void ApplyPen();
  void ApplyBrush();
  void ApplyFont();
  void MakeStamp(const QString& text, TextStamp& stamp);
  // Shapes along the axes in opaque colours drawn as the rectangles of their
  // pixels (AxisShapes.h); false, nothing drawn, for any other.
  bool AxisPolyline(const QPoint* points, int count);
  bool AxisPolygon(const QPoint* points, int count);
  // A rectangle of an opaque colour, cut to the picture.
  void FillOpaque(const QRect& rect, const QColor& color);
  // The picture's own pixels that a rectangle of the frame's covers.
  QRect DevicePixels(const QRect& rect) const;
  // Before the painter draws within the rectangle: the fills held back there
  // are written first.
  void BeforePainting(const QRect& area);
  // Before the painter strokes the line or outline through the points: the
  // fills held back along it are written first.
  void BeforeStroking(const QPoint* points, int count, bool closed);
  // How far beyond its points the pen may leave pixels.
  int PenSpill() const;
  // Where a filled and outlined polygon through the points may leave pixels.
  QRect ReachOfPoints(const QPoint* points, int count) const;
  // The polygon's outline alone, as the painter strokes it.
  void OutlineThroughPainter(const QPoint* points, int count);

  QRect frame_;
  CanvasState& state_;
  QPainter ownPainter_;  // on the picture
  QPainter* painter_;
  bool device_ = false;  // drawing through another painter
  double ratio_ = 1.0;   // the picture's device pixels per frame pixel
  // What the painter holds, so that unchanged state costs nothing.
  QColor penColor_;
  int penWidth_ = -1;
  QColor brushColor_;
  bool brushSet_ = false;
  int fontSize_ = -1;
  int fontFlags_ = -1;
  QFont font_;
  QString fontKey_;
  std::optional<QFontMetrics> metrics_;
  // Opaque fills, held back or written straight into the picture's words:
  // for the formats whose words an opaque colour is.
  std::optional<PendingFills> pending_;
};

// The font the map canvas writes in, for a size in points (96 dpi pixels).
QFont CanvasFont(int pointSize, bool bold = false, bool italic = false, bool underline = false,
                 bool strikeOut = false);
