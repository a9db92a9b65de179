#include "view/PaintMapArea.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

#include "mapdata/Cp1251.h"
#include "render/Canvas.h"
#include "render/LayerDrawers.h"
#include "render/MapLayers.h"
#include "render/MapPicture.h"
#include "render/MapStyle.h"
#include "render/PixelFrame.h"
#include "render/ViewTransform.h"
#include "state/MapCore.h"
#include "view/MeasureOverlay.h"
#include "view/ScaleBar.h"

namespace {

int ClampCount(int32_t count) { return std::clamp<int32_t>(count, 0, kMaxPointsPerRecord); }

// A text starting this far left of or above the picture cannot reach into it.
constexpr int64_t kPictureReach = 1 << 16;

// A green disc in a red ring with the icon on top, around an object or a firm.
// The pen and brush are set even when the point lies too far off to be seen.
template <typename Icons>
void MarkPoint(Canvas& canvas, const PicturePixel& point, const Icons& icons, int32_t icon) {
  CanvasState& st = canvas.State();
  st.PenWidth = 1;
  st.PenColor = mapstyle::SelectionRed;
  st.BrushColor = mapstyle::SelectionGreen;
  if (!InsideFrame(point)) return;
  const int x = static_cast<int>(point.X), y = static_cast<int>(point.Y);
  canvas.Ellipse(x - 14, y - 14, x + 14, y + 14);
  if (icon >= 0 && static_cast<size_t>(icon) < icons.size())
    canvas.Draw(x - kIconHalfSide, y - kIconHalfSide, icons[static_cast<size_t>(icon)]);
}

void HighlightStreet(const MapCore& core, Canvas& canvas) {
  const SelectionState& s = core.Selection;
  CanvasState& st = canvas.State();
  st.PenColor = mapstyle::SelectionGreen;
  st.BrushColor = mapstyle::White;
  st.PenWidth = ScaledTrunc(s.SelStreetWidth, core.View.Scale);
  canvas.Polyline(s.SelStreetPixels.data(), ClampCount(s.SelStreetCount));
  st.PenWidth = 1;
}

// The green fill would hide the house number the map drew: it is written
// again on top, where and as the map writes it.
void RewriteHouseNumber(const MapCore& core, Canvas& canvas) {
  const SelectionState& s = core.Selection;
  const MapLayer& buildings = LayerOf(DrawCode::Building);
  const int n = ClampCount(s.SelBuildingCount);
  if (core.View.Scale < buildings.Scales.DetailFrom || n == 0 || s.SelBuildingNumber.empty()) return;
  const auto [minX, maxX] = std::minmax_element(s.SelBuildingPoints.begin(), s.SelBuildingPoints.begin() + n,
                                                [](const MapPoint& a, const MapPoint& b) { return a.X < b.X; });
  const auto [minY, maxY] = std::minmax_element(s.SelBuildingPoints.begin(), s.SelBuildingPoints.begin() + n,
                                                [](const MapPoint& a, const MapPoint& b) { return a.Y < b.Y; });
  CanvasState& st = canvas.State();
  const LayerStyle& style = *buildings.Style;
  const int32_t fontSize = st.FontSize;
  const QColor fontColor = st.FontColor;
  st.FontSize = style.FontSize;
  st.FontColor = style.Text;
  st.TransparentText = true;
  const QString number = cp1251::ToQString(s.SelBuildingNumber);
  const auto [x, y] = HouseNumberOrigin(core.View, minX->X, minY->Y, maxX->X, maxY->Y, number.size(), style.FontSize);
  if (x > -kPictureReach && y > -kPictureReach && x < canvas.Frame().width() && y < canvas.Frame().height())
    canvas.TextOut(static_cast<int>(x), static_cast<int>(y), number);
  st.TransparentText = false;
  st.FontSize = fontSize;
  st.FontColor = fontColor;
}

void HighlightBuilding(const MapCore& core, Canvas& canvas) {
  const SelectionState& s = core.Selection;
  CanvasState& st = canvas.State();
  st.PenColor = mapstyle::Black;
  st.PenWidth = 1;
  st.BrushColor = mapstyle::SelectionGreen;
  canvas.Polygon(s.SelBuildingPixels.data(), ClampCount(s.SelBuildingCount));
  st.BrushColor = mapstyle::White;
  RewriteHouseNumber(core, canvas);
}

// A green line in a black casing.
void HighlightRoute(const MapCore& core, Canvas& canvas) {
  const SelectionState& s = core.Selection;
  CanvasState& st = canvas.State();
  const int n = ClampCount(s.SelRouteCount);
  st.PenColor = mapstyle::Black;
  st.PenWidth = ScaledTrunc(2, core.View.Scale);
  canvas.Polyline(s.SelRoutePixels.data(), n);
  st.PenColor = mapstyle::SelectionGreen;
  st.PenWidth = ScaledTrunc(1.3L, core.View.Scale);
  canvas.Polyline(s.SelRoutePixels.data(), n);
}

bool AnythingSelected(const SelectionState& s) {
  return s.ObjectSelected || s.StreetSelected || s.BuildingSelected || s.FirmSelected || s.RouteSelected;
}

void DrawHighlights(MapCore& core) {
  if (!AnythingSelected(core.Selection)) return;
  Canvas canvas(core.Map, core.Render.Canvas);
  DrawHighlightsOn(core, canvas);
}

// The device pixel a view pixel's edge falls on.
int DeviceEdge(int viewPixels, double ratio) { return static_cast<int>(std::lround(viewPixels * ratio)); }

// The part `inside` of a picture of finer pixels, the view pixel
// source.topLeft() at (0, 0) of the window, copied pixel for pixel: both
// rectangles are moved to whole device pixels, so that a drag moves the
// picture by whole pixels of the screen and none is blended with its
// neighbour or left as a seam.
void CopyDevicePixels(const QImage& picture, const QRect& source, const QRect& inside, QPainter& window) {
  const double ratio = picture.devicePixelRatio();
  const QRect pixels = QRect(QPoint(DeviceEdge(inside.left(), ratio), DeviceEdge(inside.top(), ratio)),
                             QPoint(DeviceEdge(inside.right() + 1, ratio) - 1, DeviceEdge(inside.bottom() + 1, ratio) - 1))
                           .intersected(picture.rect());
  const QPoint at = pixels.topLeft() - QPoint(DeviceEdge(source.left(), ratio), DeviceEdge(source.top(), ratio));
  window.save();
  window.scale(1 / ratio, 1 / ratio);  // in the picture's pixels
  window.drawImage(QRect(at, pixels.size()), picture, pixels);
  window.restore();
}

// The visible rectangle of the picture onto the window at (0, 0).  Beyond the
// picture (a drag past its margin) the window shows the background colour.
void CopyVisiblePicture(const MapCore& core, QPainter& window) {
  const ViewState& v = core.View;
  const QRect source = VisiblePictureRect(v);
  const QRect frame = ViewFrame(core.Map);
  if (!frame.contains(source)) window.fillRect(QRect(0, 0, v.ScreenWidth, v.ScreenHeight), mapstyle::BackgroundColor);
  const QRect inside = source.intersected(frame);
  if (inside.isEmpty()) return;
  if (core.Map.devicePixelRatio() != 1.0) return CopyDevicePixels(core.Map, source, inside, window);
  window.drawImage(inside.topLeft() - source.topLeft(), core.Map, inside);
}

// One hint line in the window's font on an opaque box of the tooltip colour.
void HintLine(QPainter& window, int x, int y, const std::string& cp1251Text) {
  const QString text = cp1251::ToQString(cp1251Text);
  const QFontMetrics metrics(window.font());
  const QPalette palette = QGuiApplication::palette();
  window.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), palette.color(QPalette::ToolTipBase));
  window.setPen(palette.color(QPalette::WindowText));
  window.drawText(x, y + metrics.ascent(), text);
}

}  // namespace

void DrawHighlightsOn(MapCore& core, Canvas& canvas) {
  const SelectionState& s = core.Selection;
  if (s.ObjectSelected) MarkPoint(canvas, s.SelObjectPixel, core.Tables.ImageListObject, s.SelObjectIcon);
  if (s.StreetSelected) HighlightStreet(core, canvas);
  if (s.BuildingSelected) HighlightBuilding(core, canvas);
  if (s.FirmSelected) MarkPoint(canvas, s.SelFirmPixel, core.Tables.FirmsImageList, s.SelFirmIcon);
  if (s.RouteSelected) HighlightRoute(core, canvas);
}

void PaintMapArea(MapCore& core, QPainter& window) {
  if (core.Map.isNull()) return;
  DrawHighlights(core);
  CopyVisiblePicture(core, window);
  DrawMeasurement(window, core);
  const QRect visible = core.Host.VisibleMapRect();
  if (const std::optional<ScaleBar> bar = ScaleBarOf(core, visible)) DrawScaleBar(window, visible, *bar);
  const InteractionState& in = core.Interaction;
  if (in.HintVisible) {
    HintLine(window, in.MouseX + 10, in.MouseY + 10, in.HintLine1);
    HintLine(window, in.MouseX + 10, in.MouseY + 23, in.HintLine2);
  }
}

QImage VisibleMapPicture(MapCore& core, const QRect& visible) {
  // At the map picture's pixels: on a screen at 200% twice as many each way.
  const double ratio = core.Map.isNull() ? 1.0 : core.Map.devicePixelRatio();
  QImage picture(DevicePixels(visible.width(), ratio), DevicePixels(visible.height(), ratio), QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  picture.fill(mapstyle::BackgroundColor);
  if (core.Map.isNull() || picture.isNull()) return picture;
  DrawHighlights(core);
  QPainter painter(&picture);
  painter.translate(-visible.topLeft());
  CopyVisiblePicture(core, painter);
  return picture;
}
