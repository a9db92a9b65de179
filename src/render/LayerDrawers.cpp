#include "render/LayerDrawers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>

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
    w.Area = MapAreaOfPicture(v, w.Width, w.Height, CullWindow::Margin);
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
  return w.Area && BoxesMeet(PointBox{r.MinX, r.MinY, r.MaxX, r.MaxY}, *w.Area);
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

// How far a house number of n characters in size 8 may reach from the middle
// of its building: wider than any number.
int64_t HouseNumberReach(int64_t n) { return 16 * (n + 2); }

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

QColor StreetPenColor(StreetKind kind, const LayerStyle& style) {
  switch (kind) {
    case StreetKind::Railway: return mapstyle::RailwayStreet;
    case StreetKind::River: return mapstyle::RiverStreet;
    case StreetKind::Border: return mapstyle::BorderStreet;
    case StreetKind::Bridge:
    case StreetKind::Ordinary:
    case StreetKind::Highway: break;
  }
  return style.Line;
}

void DrawStreet(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  cache.ThrowIfBad(r);
  CanvasState& st = d.Surface.State();
  const float scale = d.View.Scale;
  const QColor brush = st.BrushColor, pen = st.PenColor;

  const auto kind = static_cast<StreetKind>(r.StreetKind());
  st.PenColor = StreetPenColor(kind, *layer.Style);
  // A street that is not drawn still leaves the pen as wide as its width.
  const std::optional<int32_t> penWidth = StreetPenWidth(kind, r.StreetWidth(), scale);
  st.PenWidth = penWidth.value_or(ScaledTrunc(r.StreetWidth(), scale));
  if (penWidth) PolylineOfRow(d, cache, r);

  st.BrushColor = brush;
  st.PenColor = pen;
}

void DrawBuilding(MapDrawing& d, const MapLayer& layer, int row) {
  LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
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
  const int32_t n = r.NumberLength();
  st.TransparentText = true;
  st.FontColor = style.Text;
  st.FontSize = style.FontSize;
  const int64_t reach = HouseNumberReach(n);
  if (RowMayShow(d, r, reach)) {
    const auto [x, y] = HouseNumberOrigin(v, r.MinX, r.MinY, r.MaxX, r.MaxY, n, f);
    const QString& number = cache.Texts[static_cast<size_t>(row)];
    if (x + reach >= 0 && y + reach >= 0 && x < canvas.Image().width() && y < canvas.Image().height())
      canvas.TextOut(static_cast<int>(x), static_cast<int>(y), number, cache.Stamps.For(row, d.Cache.Redraws));
  }
  st.TransparentText = false;
}

PixelOrigin HouseNumberOrigin(const ViewState& v, int32_t minX, int32_t minY, int32_t maxX, int32_t maxY,
                              int64_t length, int32_t fontSize) {
  const PicturePixel lo = MapToPictureExact(v, minX, minY);
  const PicturePixel hi = MapToPictureExact(v, maxX, maxY);
  return {lo.X + (hi.X - lo.X) / 2 - (length * fontSize) / 2, lo.Y + (hi.Y - lo.Y) / 2 - fontSize};
}

void DrawRegion(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  CanvasState& st = d.Surface.State();
  st.PenWidth = 0;
  cache.ThrowIfBad(r);
  if (r.RegionColour() >= 0) st.PenColor = st.BrushColor = mapstyle::RegionColor(r.RegionColour());
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
  else if (r.LabelSize() >= style.LargeFrom)
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
  if (shows) canvas.TextOut(at.X, at.Y, text, cache.Stamps.For(row, d.Cache.Redraws));

  st.FontSize = fontSize;
  st.FontColor = fontColor;
  st.BrushColor = brush;
}

void DrawObjectIcon(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  d.Surface.State().PlainFont();
  cache.ThrowIfBad(r);
  const int32_t icon = r.IconIndex();
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
  DrawCentredIcon(d.Surface, d.Tables.FirmsImageList, r.IconIndex(), MapToPicture(d.View, p.X, p.Y));
}

namespace {

// A pixel more on every reach, against rounding.
constexpr long double kReachSlack = 1;
// Icons are 20 x 20, centred on their point.
constexpr long double kIconReach = 12;

// The margin PenMargin gives a pen of up to `width` map units at the scale.
long double LineReach(long double width, float scale) { return width * scale / 2 + 2 + kReachSlack; }

const LayerCache& IndexedCache(MapDrawing& d, const MapLayer& layer) {
  LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  IndexRows(cache);
  return cache;
}

// The line height and the widest character any map text can hold (one of
// the 256 of Windows-1251), in the canvas font of `pointSize`.
struct TextExtent {
  int Height = 0;
  int WidestChar = 0;
};

const TextExtent& MapTextExtent(int pointSize) {
  static std::map<std::pair<int, QString>, TextExtent> known;
  const QFont font = CanvasFont(pointSize);
  TextExtent& e = known[{pointSize, font.key()}];
  if (e.Height == 0) {
    const QFontMetrics metrics(font);
    e.Height = metrics.height();
    for (QChar c : MapTextChars()) e.WidestChar = std::max(e.WidestChar, metrics.horizontalAdvance(c));
  }
  return e;
}

}  // namespace

long double StreetReach(MapDrawing& d, const MapLayer& layer) {
  // A pen is the street's own width (thin and special streets) or 2 or 3 units.
  return LineReach(std::max<int64_t>(IndexedCache(d, layer).MaxValue, 3), d.View.Scale);
}

long double BuildingReach(MapDrawing& d, const MapLayer& layer) {
  const long double outline = PenMargin(1) + kReachSlack;
  if (d.View.Scale < layer.Scales.DetailFrom) return outline;
  return std::max<long double>(outline, HouseNumberReach(IndexedCache(d, layer).MaxValue) + kReachSlack);
}

long double RegionReach(MapDrawing&, const MapLayer&) { return PenMargin(1) + kReachSlack; }

// A label runs right and down from its point; no text is wider than its
// length in the widest character, with a little for kerning.
long double LabelReach(MapDrawing& d, const MapLayer& layer) {
  const TextExtent& e = MapTextExtent(layer.Style->FontSize);
  const int64_t longest = IndexedCache(d, layer).MaxTextLength;
  return std::max<long double>(e.Height, (longest + 1) * (e.WidestChar + 2)) + kReachSlack;
}

long double ObjectReach(MapDrawing&, const MapLayer& layer) { return layer.Style->IconReach + kReachSlack; }

long double RouteReach(MapDrawing& d, const MapLayer& layer) {
  return LineReach(std::max(layer.Style->CasingWidth, layer.Style->LineWidth), d.View.Scale);
}

long double FirmReach(MapDrawing&, const MapLayer&) { return kIconReach + kReachSlack; }
