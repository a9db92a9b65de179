#include "render/LayerDrawers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "render/Canvas.h"
#include "render/CellNumbers.h"
#include "render/MapStyle.h"
#include "render/RenderCache.h"
#include "render/ViewTransform.h"
#include "shell/MapCore.h"

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

const CullWindow& CullWindowFor(MapCore& core, const QImage& picture) {
  CullWindow& w = core.Render.Cache.Cull;
  const ViewState& v = core.View;
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
bool RowMayShow(MapCore& core, const Canvas& canvas, const CachedRow& r, int64_t margin) {
  if (r.Count <= 0) return false;
  if (margin > CullWindow::Margin) return BoxMayShow(core.View, canvas.Image(), r.MinX, r.MinY, r.MaxX, r.MaxY, margin);
  const CullWindow& w = CullWindowFor(core, canvas.Image());
  return r.MaxX >= w.MinX && r.MinX <= w.MaxX && r.MaxY >= w.MinY && r.MinY <= w.MaxY;
}

// The row's points in picture pixels, exact however far they lie.
using PixelBuffer = std::array<PicturePixel, MaxRowPoints>;
int ToPixels(const ViewState& v, const LayerCache& cache, const CachedRow& r, PixelBuffer& out) {
  const QPoint* p = cache.PointsOf(r);
  const int n = std::min<int>(r.Count, MaxRowPoints);
  for (int i = 0; i < n; ++i) out[static_cast<size_t>(i)] = MapToPictureExact(v, p[i].x(), p[i].y());
  return n;
}

// Half the pen's width and a pixel of slack around a line.
int64_t PenMargin(int penWidth) { return penWidth > 1 ? penWidth / 2 + 2 : 2; }

void PolylineOfRow(MapCore& core, Canvas& canvas, const LayerCache& cache, const CachedRow& r) {
  if (!RowMayShow(core, canvas, r, PenMargin(canvas.State().PenWidth))) return;
  PixelBuffer pixels;
  canvas.Polyline(pixels.data(), ToPixels(core.View, cache, r, pixels));
}

void PolygonOfRow(MapCore& core, Canvas& canvas, const LayerCache& cache, const CachedRow& r) {
  if (!RowMayShow(core, canvas, r, PenMargin(canvas.State().PenWidth))) return;
  PixelBuffer pixels;
  canvas.Polygon(pixels.data(), ToPixels(core.View, cache, r, pixels));
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

bool LabelLegible(int size, float scale) {
  return (size > 8 && scale >= 0.7f) || (size > 10 && scale >= 0.5f) || scale >= 3.5f;
}

bool LabelHighlightable(int size, float scale) { return (size > 8 && scale >= 0.7f) || scale >= 3.5f; }

void DrawStreet(MapCore& core, Canvas& canvas, int row) {
  const LayerCache& cache = StreetCache(core.Render.Cache, core.Tables);
  const CachedRow& r = RowOf(cache, core.Tables.ListOfStreets, row);
  cache.ThrowIfBad(r);
  CanvasState& st = canvas.State();
  const float scale = core.View.Scale;
  const QColor brush = st.BrushColor, pen = st.PenColor;

  int32_t w = r.Value;
  st.PenColor = mapstyle::OrdinaryStreet;
  st.PenWidth = ScaledTrunc(w, scale);
  const auto kind = static_cast<StreetKind>(r.Kind);
  switch (kind) {
    case StreetKind::Railway: st.PenColor = mapstyle::RailwayStreet; break;
    case StreetKind::River: st.PenColor = mapstyle::RiverStreet; break;
    case StreetKind::Bridge: st.PenColor = mapstyle::OrdinaryStreet; break;
    case StreetKind::Border:
      st.PenColor = mapstyle::BorderStreet;
      w = 2;  // the pen keeps the width already set
      break;
    default: break;
  }

  bool draw = true;
  if (w >= 1 && w < 3) {
  } else if (IsSpecialStreet(kind)) {
  } else if (kind == StreetKind::Highway || w == 3) {
    st.PenWidth = ScaledTrunc(2, scale);
  } else if (w >= 4) {
    st.PenWidth = ScaledTrunc(3, scale);
  } else {
    draw = false;  // an ordinary street of width 0 or less
  }
  if (draw) PolylineOfRow(core, canvas, cache, r);

  st.BrushColor = brush;
  st.PenColor = pen;
}

void DrawBuilding(MapCore& core, Canvas& canvas, int row) {
  const LayerCache& cache = BuildingCache(core.Render.Cache, core.Tables);
  const CachedRow& r = RowOf(cache, core.Tables.ListOfBuildings, row);
  cache.ThrowIfBad(r);
  CanvasState& st = canvas.State();
  const ViewState& v = core.View;

  const int penWidth = st.PenWidth;
  const QColor brush = st.BrushColor, pen = st.PenColor;
  st.BrushColor = mapstyle::BuildingFill;
  st.PenWidth = 1;
  PolygonOfRow(core, canvas, cache, r);  // outline in the pen colour earlier rows left
  st.PenWidth = penWidth;
  st.BrushColor = brush;
  st.PenColor = pen;

  if (static_cast<long double>(v.Scale) * 100 < 400) return;
  // The house number, centred on the box of the drawn points.
  const int32_t f = st.FontSize;
  const int32_t n = r.Value;
  st.TransparentText = true;
  st.FontColor = mapstyle::BuildingNumber;
  st.FontSize = 8;
  const int64_t reach = 16 * (int64_t{n} + 2);  // wider than any number in size 8
  if (RowMayShow(core, canvas, r, reach)) {
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

void DrawRegion(MapCore& core, Canvas& canvas, int row) {
  const LayerCache& cache = RegionCache(core.Render.Cache, core.Tables);
  const CachedRow& r = RowOf(cache, core.Tables.ListOfRegions, row);
  CanvasState& st = canvas.State();
  st.PenWidth = 0;
  cache.ThrowIfBad(r);
  if (r.Kind >= 0) st.PenColor = st.BrushColor = mapstyle::RegionColor(r.Kind);
  PolygonOfRow(core, canvas, cache, r);  // an unknown type: the colours the canvas holds
  st.BrushColor = mapstyle::White;
  st.PenColor = mapstyle::Black;
  st.PenWidth = 1;
}

void DrawTextLabel(MapCore& core, Canvas& canvas, int row) {
  LayerCache& cache = MutableLabelCache(core.Render.Cache, core.Tables);
  const CachedRow& r = RowOf(cache, core.Tables.ListOfTexts, row);
  CanvasState& st = canvas.State();
  st.PlainFont();
  cache.ThrowIfBad(r);

  const QColor fontColor = st.FontColor, brush = st.BrushColor;
  const int fontSize = st.FontSize;
  if (core.Interaction.Mode == "StreetSelect")
    st.BrushColor = mapstyle::HighlightedLabelBox;
  else if (r.Value >= mapstyle::LargeLabelSize)
    st.BrushColor = mapstyle::LargeLabelBox;
  else
    st.BrushColor = mapstyle::LabelBox;
  st.PenColor = mapstyle::Black;
  st.FontSize = 8;
  st.FontColor = mapstyle::Black;

  const QPoint& p = cache.PointsOf(r)[0];
  const PixelPoint at = MapToPicture(core.View, p.x(), p.y());
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

void DrawObjectIcon(MapCore& core, Canvas& canvas, int row) {
  const LayerCache& cache = ObjectCache(core.Render.Cache, core.Tables);
  const CachedRow& r = RowOf(cache, core.Tables.ListOfObjects, row);
  canvas.State().PlainFont();
  cache.ThrowIfBad(r);
  const int32_t icon = r.Value;
  if (core.Flags.ObjectFilter != -1 && core.Flags.ObjectFilter != icon) return;
  cache.ThrowIfBadPoint(r);
  if (!RowMayShow(core, canvas, r, 12)) return;  // the icon reaches 10 pixels around its point
  const QPoint& p = cache.PointsOf(r)[0];
  DrawCentredIcon(canvas, core.Tables.ImageListObject, icon, MapToPicture(core.View, p.x(), p.y()));
}

void DrawRoute(MapCore& core, Canvas& canvas, int row) {
  const LayerCache& cache = RouteCache(core.Render.Cache, core.Tables);
  const CachedRow& r = RowOf(cache, core.Tables.ListOfPath1, row);
  cache.ThrowIfBad(r);
  CanvasState& st = canvas.State();
  const float scale = core.View.Scale;
  const QColor brush = st.BrushColor, pen = st.PenColor;
  st.PenColor = mapstyle::RouteCasing;
  st.PenWidth = ScaledTrunc(2, scale);
  PolylineOfRow(core, canvas, cache, r);
  st.PenColor = mapstyle::RouteLine;
  st.PenWidth = ScaledTrunc(1.3L, scale);
  PolylineOfRow(core, canvas, cache, r);
  st.PenColor = mapstyle::White;
  st.PenWidth = ScaledTrunc(1.0L, scale);
  st.BrushColor = brush;
  st.PenColor = pen;
}

void DrawFoundFirmIcon(MapCore& core, Canvas& canvas, int row) {
  const LayerTable& firms = core.Tables.ListOfFirms;
  if (row < 0 || row >= firms.Count()) return;  // nothing of the firm to draw
  constexpr int kPoints = 2, kPicture = 7;
  std::vector<QPoint> point;
  if (!ReadPointPairs(firms[row].Cell(kPoints), 1, point))
    throw std::runtime_error(BadPointsMessage(firms, row, kPoints));
  const int32_t icon = CellInt(firms, row, kPicture);
  DrawCentredIcon(canvas, core.Tables.FirmsImageList, icon, MapToPicture(core.View, point[0].x(), point[0].y()));
}
