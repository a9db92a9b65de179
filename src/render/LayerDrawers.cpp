#include "render/LayerDrawers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "render/Canvas.h"
#include "render/CellNumbers.h"
#include "render/MapLayers.h"
#include "render/MapStyle.h"
#include "render/RenderCache.h"
#include "render/ViewTransform.h"

using mapstyle::StreetKind;

namespace {

const CachedRow& RowOf(const LayerCache& cache, const LayerTable& table, int row) {
  if (row < 0 || static_cast<size_t>(row) >= cache.Rows.size())
    throw std::out_of_range(table.Name() + ": строки " + std::to_string(row) + " нет в таблице.");
  return cache.Rows[static_cast<size_t>(row)];
}

// Whether a map-unit box, turned into picture pixels and widened by `margin`
// pixels on every side, can touch the picture.  Rows that cannot are not
// handed to the painter at all; they would leave no pixel anyway.
bool BoxMayShow(const ViewState& v, const QImage& picture, int32_t minX, int32_t minY, int32_t maxX,
                int32_t maxY, int64_t margin) {
  const PixelPoint lo = MapToPicture(v, minX, minY);
  const PixelPoint hi = MapToPicture(v, maxX, maxY);
  return int64_t{hi.X} + margin >= 0 && int64_t{hi.Y} + margin >= 0 && int64_t{lo.X} - margin < picture.width() &&
         int64_t{lo.Y} - margin < picture.height();
}

// The map units a pixel range [-Margin, size + Margin) can show, widened by a
// unit on each side: every map x whose picture pixel trunc(x × Scale − OffsetX)
// falls in the range lies within.
void RangeOf(long double offset, long double scale, int size, int64_t& lo, int64_t& hi) {
  const long double m = CullWindow::Margin;
  lo = static_cast<int64_t>(std::clamp<long double>(std::floor((offset - m - 1) / scale), INT32_MIN, INT32_MAX)) - 1;
  hi = static_cast<int64_t>(std::clamp<long double>(std::ceil((size + m + offset) / scale), INT32_MIN, INT32_MAX)) + 1;
}

const CullWindow& CullWindowFor(MapDrawing& d, const QImage& picture) {
  CullWindow& w = d.Cache.Cull;
  const ViewState& v = d.View;
  if (w.Scale != v.Scale || w.OffsetX != v.OffsetX || w.OffsetY != v.OffsetY || w.Width != picture.width() ||
      w.Height != picture.height()) {
    w.Scale = v.Scale;
    w.OffsetX = v.OffsetX;
    w.OffsetY = v.OffsetY;
    w.Width = picture.width();
    w.Height = picture.height();
    RangeOf(v.OffsetX, v.Scale, w.Width, w.MinX, w.MaxX);
    RangeOf(v.OffsetY, v.Scale, w.Height, w.MinY, w.MaxY);
  }
  return w;
}

// Whether a row can leave a pixel on the picture when drawn with `margin`
// pixels around its points (half a pen, an icon, a text).  Rows that cannot
// are not handed to the painter at all.
bool RowMayShow(MapDrawing& d, const CachedRow& r, int64_t margin) {
  if (r.Count <= 0) return false;
  const QImage& picture = d.Surface.Image();
  if (margin > CullWindow::Margin) return BoxMayShow(d.View, picture, r.MinX, r.MinY, r.MaxX, r.MaxY, margin);
  const CullWindow& w = CullWindowFor(d, picture);
  return r.MaxX >= w.MinX && r.MinX <= w.MaxX && r.MaxY >= w.MinY && r.MinY <= w.MaxY;
}

// The row's points in picture pixels, exact however far they lie.
using PixelBuffer = std::array<PicturePixel, kMaxPointsPerRecord>;
int ToPixels(const ViewState& v, const LayerCache& cache, const CachedRow& r, PixelBuffer& out) {
  const MapPoint* p = cache.PointsOf(r);
  const int n = std::min<int>(r.Count, kMaxPointsPerRecord);
  for (int i = 0; i < n; ++i) out[static_cast<size_t>(i)] = MapToPictureExact(v, p[i].X, p[i].Y);
  return n;
}

// Half the pen's width and a pixel of slack around a line.
int64_t PenMargin(int penWidth) { return penWidth > 1 ? penWidth / 2 + 2 : 2; }

void PolylineOfRow(MapDrawing& d, const LayerCache& cache, const CachedRow& r) {
  if (!RowMayShow(d, r, PenMargin(d.Surface.State().PenWidth))) return;
  PixelBuffer pixels;
  d.Surface.Polyline(pixels.data(), ToPixels(d.View, cache, r, pixels));
}

void PolygonOfRow(MapDrawing& d, const LayerCache& cache, const CachedRow& r) {
  if (!RowMayShow(d, r, PenMargin(d.Surface.State().PenWidth))) return;
  PixelBuffer pixels;
  d.Surface.Polygon(pixels.data(), ToPixels(d.View, cache, r, pixels));
}

bool IsSpecialStreet(StreetKind k) {
  return k == StreetKind::Railway || k == StreetKind::River || k == StreetKind::Bridge || k == StreetKind::Border;
}

// An icon of 20 x 20 centred on a picture pixel, when the index names one.
void DrawCentredIcon(Canvas& canvas, const std::vector<QImage>& icons, int32_t index, PixelPoint at) {
  if (index < 0 || static_cast<size_t>(index) >= icons.size()) return;
  const int64_t x = int64_t{at.X} - 10, y = int64_t{at.Y} - 10;
  if (x + 20 < 0 || y + 20 < 0 || x >= canvas.Image().width() || y >= canvas.Image().height()) return;
  canvas.Draw(static_cast<int>(x), static_cast<int>(y), icons[static_cast<size_t>(index)]);
}

}  // namespace

std::optional<int32_t> StreetPenWidth(StreetKind kind, int32_t width, float scale) {
  const int32_t asWide = ScaledTrunc(width, scale);
  if (kind == StreetKind::Border) return asWide;  // taken as 2 wide: drawn with the pen already set
  if (width >= 1 && width < 3) return asWide;
  if (IsSpecialStreet(kind)) return asWide;
  if (kind == StreetKind::Highway || width == 3) return ScaledTrunc(2, scale);
  if (width >= 4) return ScaledTrunc(3, scale);
  return std::nullopt;  // an ordinary street of width 0 or less
}

void DrawStreet(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  cache.ThrowIfBad(r);
  CanvasState& st = d.Surface.State();
  const float scale = d.View.Scale;
  const QColor brush = st.BrushColor, pen = st.PenColor;

  const auto kind = static_cast<StreetKind>(r.Kind);
  switch (kind) {
    case StreetKind::Railway: st.PenColor = mapstyle::RailwayStreet; break;
    case StreetKind::River: st.PenColor = mapstyle::RiverStreet; break;
    case StreetKind::Border: st.PenColor = mapstyle::BorderStreet; break;
    case StreetKind::Bridge:
    case StreetKind::Ordinary:
    case StreetKind::Highway:
      st.PenColor = layer.Style->Line;
      break;
  }
  // A street that is not drawn still leaves the pen as wide as its width.
  const std::optional<int32_t> penWidth = StreetPenWidth(kind, r.Value, scale);
  st.PenWidth = penWidth.value_or(ScaledTrunc(r.Value, scale));
  if (penWidth) PolylineOfRow(d, cache, r);

  st.BrushColor = brush;
  st.PenColor = pen;
}

void DrawBuilding(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  cache.ThrowIfBad(r);
  Canvas& canvas = d.Surface;
  CanvasState& st = canvas.State();
  const ViewState& v = d.View;
  const LayerStyle& style = *layer.Style;

  const int penWidth = st.PenWidth;
  const QColor brush = st.BrushColor, pen = st.PenColor;
  st.BrushColor = style.Fill;
  st.PenWidth = 1;
  PolygonOfRow(d, cache, r);  // outline in the pen colour earlier rows left
  st.PenWidth = penWidth;
  st.BrushColor = brush;
  st.PenColor = pen;

  if (v.Scale < layer.Scales.DetailFrom) return;
  // The house number, centred on the box of the drawn points.
  const int32_t f = st.FontSize;
  const int32_t n = r.Value;
  st.TransparentText = true;
  st.FontColor = style.Text;
  st.FontSize = style.FontSize;
  const int64_t reach = 16 * (int64_t{n} + 2);  // wider than any number in size 8
  if (RowMayShow(d, r, reach)) {
    const PicturePixel lo = MapToPictureExact(v, r.MinX, r.MinY);
    const PicturePixel hi = MapToPictureExact(v, r.MaxX, r.MaxY);
    const int64_t x = lo.X + (hi.X - lo.X) / 2 - (int64_t{n} * f) / 2;
    const int64_t y = lo.Y + (hi.Y - lo.Y) / 2 - f;
    const QString& number = cache.Texts[static_cast<size_t>(row)];
    if (x + reach >= 0 && y + reach >= 0 && x < canvas.Image().width() && y < canvas.Image().height())
      canvas.TextOut(static_cast<int>(x), static_cast<int>(y), number);
  }
  st.TransparentText = false;
}

void DrawRegion(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  CanvasState& st = d.Surface.State();
  st.PenWidth = 0;
  cache.ThrowIfBad(r);
  if (r.Kind >= 0) st.PenColor = st.BrushColor = mapstyle::RegionColor(r.Kind);
  PolygonOfRow(d, cache, r);  // an unknown type: the colours the canvas holds
  st.BrushColor = mapstyle::White;
  st.PenColor = mapstyle::Black;
  st.PenWidth = 1;
}

void DrawTextLabel(MapDrawing& d, const MapLayer& layer, int row) {
  LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  Canvas& canvas = d.Surface;
  CanvasState& st = canvas.State();
  const LayerStyle& style = *layer.Style;
  st.PlainFont();
  cache.ThrowIfBad(r);

  const QColor fontColor = st.FontColor, brush = st.BrushColor;
  const int fontSize = st.FontSize;
  if (d.HighlightLabels)
    st.BrushColor = style.HighlightedBox;
  else if (r.Value >= style.LargeFrom)
    st.BrushColor = style.LargeBox;
  else
    st.BrushColor = style.Box;
  st.PenColor = mapstyle::Black;
  st.FontSize = style.FontSize;
  st.FontColor = style.Text;

  const MapPoint& p = cache.PointsOf(r)[0];
  const PixelPoint at = MapToPicture(d.View, p.X, p.Y);
  const QString& text = cache.Texts[static_cast<size_t>(row)];
  bool shows = at.X < canvas.Image().width() && at.Y < canvas.Image().height() &&
               int64_t{at.Y} + canvas.TextHeight() >= 0;
  if (shows && at.X < 0) {
    int& width = cache.TextWidths[static_cast<size_t>(row)];
    if (width < 0) width = canvas.TextWidth(text);  // the label font never changes
    shows = int64_t{at.X} + width >= 0;
  }
  if (shows) canvas.TextOut(at.X, at.Y, text);

  st.FontSize = fontSize;
  st.FontColor = fontColor;
  st.BrushColor = brush;
}

void DrawObjectIcon(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  d.Surface.State().PlainFont();
  cache.ThrowIfBad(r);
  const int32_t icon = r.Value;
  if (d.Switches.ObjectFilter != -1 && d.Switches.ObjectFilter != icon) return;
  cache.ThrowIfBadPoint(r);
  if (!RowMayShow(d, r, layer.Style->IconReach)) return;
  const MapPoint& p = cache.PointsOf(r)[0];
  DrawCentredIcon(d.Surface, d.Tables.ImageListObject, icon, MapToPicture(d.View, p.X, p.Y));
}

void DrawRoute(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  cache.ThrowIfBad(r);
  CanvasState& st = d.Surface.State();
  const float scale = d.View.Scale;
  const LayerStyle& style = *layer.Style;
  const QColor brush = st.BrushColor, pen = st.PenColor;
  st.PenColor = style.Casing;
  st.PenWidth = ScaledTrunc(style.CasingWidth, scale);
  PolylineOfRow(d, cache, r);
  st.PenColor = style.Line;
  st.PenWidth = ScaledTrunc(style.LineWidth, scale);
  PolylineOfRow(d, cache, r);
  st.PenColor = mapstyle::White;
  st.PenWidth = ScaledTrunc(1.0L, scale);
  st.BrushColor = brush;
  st.PenColor = pen;
}

void DrawFoundFirmIcon(MapDrawing& d, const MapLayer& layer, int row) {
  if (row < 0 || row >= TableOf(d.Tables, layer).Count()) return;  // nothing of the firm to draw
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = cache.Rows[static_cast<size_t>(row)];
  cache.ThrowIfBadPoint(r);
  cache.ThrowIfBad(r);
  const MapPoint& p = cache.PointsOf(r)[0];
  DrawCentredIcon(d.Surface, d.Tables.FirmsImageList, r.Value, MapToPicture(d.View, p.X, p.Y));
}
