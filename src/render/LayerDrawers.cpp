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
#include "render/Crowding.h"
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
bool BoxMayShow(const ViewState& v, const QRect& picture, int32_t minX, int32_t minY, int32_t maxX,
                int32_t maxY, int64_t margin) {
  const PixelPoint lo = MapToPicture(v, minX, minY);
  const PixelPoint hi = MapToPicture(v, maxX, maxY);
  return int64_t{hi.X} + margin >= 0 && int64_t{hi.Y} + margin >= 0 && int64_t{lo.X} - margin < picture.width() &&
         int64_t{lo.Y} - margin < picture.height();
}

const CullWindow& CullWindowFor(MapDrawing& d, const QRect& picture) {
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
  const QRect& picture = d.Surface.Frame();
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

// Each drawer sets everything its drawing reads of the canvas state, through
// these: no row is drawn with what another row left.  The canvas hands the
// painter only what changed, so setting a style already set costs nothing.
void UsePen(CanvasState& st, const QColor& colour, int width) {
  st.PenColor = colour;
  st.PenWidth = width;
}

void UseFill(CanvasState& st, const QColor& fill, const QColor& outline, int outlineWidth) {
  st.BrushColor = fill;
  UsePen(st, outline, outlineWidth);
}

// Plain text in `colour` at `size` points, on an opaque box of `box` or,
// without one, straight on the picture.
void UseText(CanvasState& st, const QColor& colour, int size, const std::optional<QColor>& box) {
  st.PlainFont();
  st.FontColor = colour;
  st.FontSize = size;
  st.TransparentText = !box;
  if (box) st.BrushColor = *box;
}

// The colours of what the rows drawn before in this redraw decide
// (MapDrawing::RegionDrawn): building outlines and regions of an unknown type.
QColor EarlierOutline(const MapDrawing& d) {
  return d.RegionDrawn || d.LabelDrawn ? mapstyle::Black : mapstyle::BackgroundColor;
}
QColor EarlierFill(const MapDrawing& d) { return d.RegionDrawn ? mapstyle::White : mapstyle::BackgroundColor; }

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

// The box of an icon (kIconSide square) centred on a picture pixel, when the index
// names one and the box meets the picture.
template <typename Icons>
std::optional<QRect> CentredIconBox(const Canvas& canvas, const Icons& icons, int32_t index, PixelPoint at) {
  if (index < 0 || static_cast<size_t>(index) >= icons.size()) return std::nullopt;
  const int64_t x = int64_t{at.X} - kIconHalfSide, y = int64_t{at.Y} - kIconHalfSide;
  if (x + kIconSide < 0 || y + kIconSide < 0 || x >= canvas.Frame().width() || y >= canvas.Frame().height())
    return std::nullopt;
  return QRect(static_cast<int>(x), static_cast<int>(y), kIconSide, kIconSide);
}

template <typename Icons>
void DrawCentredIcon(Canvas& canvas, const Icons& icons, int32_t index, PixelPoint at) {
  if (const std::optional<QRect> box = CentredIconBox(canvas, icons, index, at))
    canvas.Draw(box->x(), box->y(), icons[static_cast<size_t>(index)]);
}

// The box of row's house number written at (x, y) in the canvas font (the
// numbers' one, which never changes: the width is measured once).
QRect NumberBox(Canvas& canvas, LayerCache& cache, int row, int64_t x, int64_t y) {
  int& width = cache.TextWidths[static_cast<size_t>(row)];
  if (width < 0) width = canvas.TextWidth(cache.Texts[static_cast<size_t>(row)]);
  return QRect(static_cast<int>(x), static_cast<int>(y), std::max(width, 1), canvas.TextHeight());
}

// Whether a house number written at `box` would cover a label or a number
// drawn before it; if not, its box is marked.
bool NumberGivesWay(MapDrawing& d, const QRect& box) {
  if (d.Crowd->Texts.Meets(box)) return true;
  d.Crowd->Texts.Add(box);
  return false;
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
  const auto kind = static_cast<StreetKind>(r.StreetKind());
  const std::optional<int32_t> penWidth = StreetPenWidth(kind, r.StreetWidth(), d.View.Scale);
  if (!penWidth) return;
  UsePen(d.Surface.State(), StreetPenColor(kind, *layer.Style), *penWidth);
  PolylineOfRow(d, cache, r);
}

void DrawBuilding(MapDrawing& d, const MapLayer& layer, int row) {
  LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  cache.ThrowIfBad(r);
  Canvas& canvas = d.Surface;
  CanvasState& st = canvas.State();
  const ViewState& v = d.View;
  const LayerStyle& style = *layer.Style;

  UseFill(st, style.Fill, EarlierOutline(d), 1);
  PolygonOfRow(d, cache, r);

  if (v.Scale < layer.Scales.DetailFrom) return;
  // The house number, centred on the box of the drawn points.
  const int32_t n = r.NumberLength();
  const int64_t reach = HouseNumberReach(n);
  if (RowMayShow(d, r, reach)) {
    UseText(st, style.Text, style.FontSize, std::nullopt);
    const auto [x, y] = HouseNumberOrigin(v, r.MinX, r.MinY, r.MaxX, r.MaxY, n, style.FontSize);
    const QString& number = cache.Texts[static_cast<size_t>(row)];
    if (x + reach >= 0 && y + reach >= 0 && x < canvas.Frame().width() && y < canvas.Frame().height()) {
      if (!d.Crowd || !d.Crowd->GiveWay || !NumberGivesWay(d, NumberBox(canvas, cache, row, x, y)))
        canvas.TextOut(static_cast<int>(x), static_cast<int>(y), number, cache.Stamps.For(row, d.Cache.Redraws));
    }
  }
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
  cache.ThrowIfBad(r);
  CanvasState& st = d.Surface.State();
  if (r.RegionColour() >= 0) {
    const QColor& colour = mapstyle::RegionColor(r.RegionColour());
    UseFill(st, colour, colour, 0);
  } else {
    UseFill(st, EarlierFill(d), EarlierOutline(d), 0);
  }
  PolygonOfRow(d, cache, r);
  d.RegionDrawn = true;
}

namespace {

// The box a label's text is written on, in the canvas font (the label's):
// its point in the picture, its text's width and the font's height; none
// where it cannot show.  The width is measured only where it is asked for or
// decides whether the text shows (measuring costs more than the writing).
std::optional<QRect> LabelBox(MapDrawing& d, LayerCache& cache, const CachedRow& r, int row, bool measured) {
  Canvas& canvas = d.Surface;
  const MapPoint& p = cache.PointsOf(r)[0];
  const PixelPoint at = MapToPicture(d.View, p.X, p.Y);
  if (at.X >= canvas.Frame().width() || at.Y >= canvas.Frame().height()) return std::nullopt;
  const int height = canvas.TextHeight();
  if (int64_t{at.Y} + height < 0) return std::nullopt;
  if (!measured && at.X >= 0) return QRect(at.X, at.Y, 1, height);
  int& width = cache.TextWidths[static_cast<size_t>(row)];
  if (width < 0) width = canvas.TextWidth(cache.Texts[static_cast<size_t>(row)]);  // a row's font never changes
  if (int64_t{at.X} + width < 0) return std::nullopt;
  return QRect(at.X, at.Y, std::max(width, 1), height);
}

// Writes a label in its font on its box, unless `keepOff` holds a box it
// would cover (it is then marked there).
void WriteLabel(MapDrawing& d, const MapLayer& layer, LayerCache& cache, const CachedRow& r, int row,
                BoxGrid* keepOff) {
  Canvas& canvas = d.Surface;
  const LayerStyle& style = *layer.Style;
  const QColor& box = d.HighlightLabels                    ? style.HighlightedBox
                      : r.LabelSize() >= style.LargeFrom ? style.LargeBox
                                                           : style.Box;
  UseText(canvas.State(), style.Text, LabelFontSize(style, r.LabelSize()), box);

  if (const std::optional<QRect> place = LabelBox(d, cache, r, row, keepOff != nullptr)) {
    const bool covers = keepOff && keepOff->Meets(*place);
    if (keepOff && !covers) keepOff->Add(*place);
    if (!covers)
      canvas.TextOut(place->x(), place->y(), cache.Texts[static_cast<size_t>(row)], cache.Stamps.For(row, d.Cache.Redraws));
  }
}

}  // namespace

void DrawTextLabel(MapDrawing& d, const MapLayer& layer, int row) {
  LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  cache.ThrowIfBad(r);
  d.LabelDrawn = true;  // held back or not
  if (d.Crowd && LabelOverview(d.View.Scale)) {
    d.Crowd->Held.push_back({row, r.LabelSize()});
    return;
  }
  WriteLabel(d, layer, cache, r, row, nullptr);
}

void DrawHeldLabels(MapDrawing& d, const MapLayer& layer) {
  if (!d.Crowd || d.Crowd->Held.empty()) return;
  std::vector<HeldLabel>& held = d.Crowd->Held;
  std::stable_sort(held.begin(), held.end(), [](const HeldLabel& a, const HeldLabel& b) { return a.Size > b.Size; });
  LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  for (const HeldLabel& h : held)
    WriteLabel(d, layer, cache, cache.Rows[static_cast<size_t>(h.Row)], h.Row, &d.Crowd->Places);
  held.clear();
}

void MarkLabelBoxes(MapDrawing& d, const MapLayer& layer, const std::vector<int32_t>& rows) {
  if (!d.Crowd) return;
  LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  CanvasState& st = d.Surface.State();
  st.PlainFont();  // the boxes are measured in the font the labels are written in
  for (const int32_t row : rows) {
    const CachedRow& r = cache.Rows[static_cast<size_t>(row)];
    if (r.Error >= 0 || r.Count <= 0 || !LabelLegible(r.LabelSize(), d.View.Scale)) continue;
    st.FontSize = LabelFontSize(*layer.Style, r.LabelSize());
    if (const std::optional<QRect> box = LabelBox(d, cache, r, row, true)) d.Crowd->Texts.Add(*box);
  }
}

void DrawObjectIcon(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  cache.ThrowIfBad(r);
  const int32_t icon = r.IconIndex();
  if (d.Switches.ObjectFilter != -1 && d.Switches.ObjectFilter != icon) return;
  cache.ThrowIfBadPoint(r);
  if (!RowMayShow(d, r, layer.Style->IconReach)) return;
  const MapPoint& p = cache.PointsOf(r)[0];
  const std::vector<QImage>& icons = d.Tables.ImageListObject;
  const std::optional<QRect> box = CentredIconBox(d.Surface, icons, icon, MapToPicture(d.View, p.X, p.Y));
  if (!box) return;
  if (d.Crowd && d.Crowd->GiveWay) {
    if (IconGivesWay(*d.Crowd, *box, d.View.Scale)) return;
    d.Crowd->Icons.Add(*box);
  }
  d.Surface.Draw(box->x(), box->y(), icons[static_cast<size_t>(icon)]);
}

void DrawRoute(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const CachedRow& r = RowOf(cache, TableOf(d.Tables, layer), row);
  cache.ThrowIfBad(r);
  CanvasState& st = d.Surface.State();
  const float scale = d.View.Scale;
  const LayerStyle& style = *layer.Style;
  UsePen(st, style.Casing, ScaledTrunc(style.CasingWidth, scale));
  PolylineOfRow(d, cache, r);
  UsePen(st, style.Line, ScaledTrunc(style.LineWidth, scale));
  PolylineOfRow(d, cache, r);
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
  const LayerCache& cache = IndexedCache(d, layer);
  const TextExtent& e = MapTextExtent(LabelFontSize(*layer.Style, cache.MaxValue));
  const int64_t longest = cache.MaxTextLength;
  return std::max<long double>(e.Height, (longest + 1) * (e.WidestChar + 2)) + kReachSlack;
}

long double ObjectReach(MapDrawing&, const MapLayer& layer) { return layer.Style->IconReach + kReachSlack; }

long double RouteReach(MapDrawing& d, const MapLayer& layer) {
  return LineReach(std::max(layer.Style->CasingWidth, layer.Style->LineWidth), d.View.Scale);
}

long double FirmReach(MapDrawing&, const MapLayer&) { return kIconCullReach + kReachSlack; }
