#include "interaction/HitTest.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "mapdata/DecimalText.h"
#include "mapdata/IconGeometry.h"
#include "render/MapLayers.h"
#include "state/MapCore.h"

namespace {

// How far beside a line's drawn edge, and outside an outline, the mouse still hits it.
constexpr long double LineSlack = 3;
constexpr long double OutlineSlack = 1;

bool WithinBox(int64_t h, int32_t coordinate, float scale) {
  const long double scaled = static_cast<long double>(coordinate) * scale;
  return TruncToInt32(scaled - kIconHalfSide) <= h && h <= TruncToInt32(scaled + kIconHalfSide);
}

// The point cells of a row (X and Y), when both are numbers.
std::optional<MapPoint> RowPoint(const LayerTable& table, const CellBox& point, int row) {
  const auto x = DecimalIntOf(table.CellAt(row, point.MinX));
  const auto y = DecimalIntOf(table.CellAt(row, point.MinY));
  if (!x || !y) return std::nullopt;
  return MapPoint{*x, *y};
}

// Points in hit-test units (map units times Scale), exact.
struct ScaledPoint {
  long double X, Y;
};

ScaledPoint Scaled(MapPoint p, float scale) {
  const long double s = scale;
  return {p.X * s, p.Y * s};
}

long double DistanceToSegment(ScaledPoint p, ScaledPoint a, ScaledPoint b) {
  const long double dx = b.X - a.X, dy = b.Y - a.Y;
  const long double length2 = dx * dx + dy * dy;
  long double t = 0;
  if (length2 > 0) t = std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2, 0.0L, 1.0L);
  return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

// The distance from `p` to the polyline through `points` (to the point, for one).
long double DistanceToPolyline(ScaledPoint p, std::span<const MapPoint> points, float scale) {
  long double nearest = DistanceToSegment(p, Scaled(points[0], scale), Scaled(points[0], scale));
  for (size_t i = 1; i < points.size(); ++i)
    nearest = std::min(nearest, DistanceToSegment(p, Scaled(points[i - 1], scale), Scaled(points[i], scale)));
  return nearest;
}

// Odd-even rule, as the canvas fills polygons.
bool InsidePolygon(ScaledPoint p, std::span<const MapPoint> points, float scale) {
  bool inside = false;
  for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const ScaledPoint a = Scaled(points[i], scale), b = Scaled(points[j], scale);
    if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < a.X + (p.Y - a.Y) * (b.X - a.X) / (b.Y - a.Y)) inside = !inside;
  }
  return inside;
}

std::span<const MapPoint> PointsOfRow(const LayerCache& cache, const CachedRow& r) {
  return {cache.PointsOf(r), static_cast<size_t>(r.Count)};
}

bool LineUnder(const MapLayer& layer, const LayerCache& cache, const CachedRow& r, ScaledPoint at, float scale) {
  const std::optional<int32_t> pen = layer.Hit.LineWidth ? layer.Hit.LineWidth(r, scale) : 1;
  if (!pen) return false;  // not drawn
  const long double reach = std::max<int32_t>(*pen, 1) / 2.0L + LineSlack;
  return DistanceToPolyline(at, PointsOfRow(cache, r), scale) <= reach;
}

bool AreaUnder(const LayerCache& cache, const CachedRow& r, ScaledPoint at, float scale) {
  const std::span<const MapPoint> points = PointsOfRow(cache, r);
  if (InsidePolygon(at, points, scale)) return true;
  long double nearest = DistanceToSegment(at, Scaled(points.back(), scale), Scaled(points.front(), scale));
  nearest = std::min(nearest, DistanceToPolyline(at, points, scale));
  return nearest <= OutlineSlack;
}

// The widest a row of a line layer can be drawn at `scale`, in pixels: the
// pens are at most the row's width (or 3 units) times the scale.  The widest
// width is kept with the layer's index, found once per change of the table.
int64_t WidestLine(LayerCache& cache, float scale) {
  IndexRows(cache);
  return ScaledTrunc(static_cast<long double>(std::max<int64_t>(cache.MaxValue, 3)), scale);
}

}  // namespace

bool IsUnder(HitPoint at, int32_t x, int32_t y, float scale) {
  return WithinBox(at.X, x, scale) && WithinBox(at.Y, y, scale);
}

std::optional<int> FoundFirmAt(const MapCore& core, HitPoint at) {
  const MapLayer& layer = LayerOf(DrawCode::Firm);
  const LayerTable& firms = TableOf(core.Tables, layer);
  for (const LayerRow& found : core.Search.FoundFirms.Rows()) {
    const auto row = DecimalIntOf(found.Cell(found_firm_cell::FirmRow));
    if (!row || *row < 0 || *row >= firms.Count()) continue;
    const auto point = RowPoint(firms, layer.Box, *row);
    if (point && IsUnder(at, point->X, point->Y, core.View.Scale)) return *row;
  }
  return std::nullopt;
}

bool ObjectPassesFilter(const MapCore& core, int row) {
  const int32_t filter = core.Flags.ObjectFilter;
  return filter == -1 || DecimalIntOf(core.Tables.ListOfObjects.CellAt(row, object_cell::Icon)) == filter;
}

std::optional<int> ShownObjectAt(const MapCore& core, HitPoint at) {
  const MapLayer& layer = LayerOf(DrawCode::Object);
  const LayerTable& objects = TableOf(core.Tables, layer);
  const std::string code = DrawCodeText(layer.Code);
  for (const LayerRow& entry : core.Tables.DrawListView.Rows()) {
    if (entry.Cell(draw_list_cell::Code) != code) continue;
    const auto row = DecimalIntOf(entry.Cell(draw_list_cell::Row));
    if (!row || *row < 0 || *row >= objects.Count()) continue;
    if (!ObjectPassesFilter(core, *row)) continue;
    const auto point = RowPoint(objects, layer.Box, *row);
    if (point && IsUnder(at, point->X, point->Y, core.View.Scale)) return *row;
  }
  return std::nullopt;
}

PointBox HitReach(MapCore& core, const MapLayer& layer, HitPoint at) {
  const float scale = core.View.Scale;
  int64_t reach = 0;  // pixels
  switch (layer.Hit.Shape) {
    case HitShape::None: break;
    case HitShape::Icon: reach = kIconHalfSide + 1; break;
    case HitShape::Area: reach = static_cast<int64_t>(OutlineSlack) + 1; break;
    case HitShape::Line:
      reach = WidestLine(CacheOf(core.Render.Cache, core.Tables, layer), scale) / 2 +
              static_cast<int64_t>(LineSlack) + 1;
      break;
  }
  // One map unit more on each side: the scaled points were truncated.
  const long double s = scale;
  return {TruncToInt32(std::floor((at.X - reach) / s) - 1), TruncToInt32(std::floor((at.Y - reach) / s) - 1),
          TruncToInt32(std::ceil((at.X + reach) / s) + 1), TruncToInt32(std::ceil((at.Y + reach) / s) + 1)};
}

std::vector<int> LayerRowsMeeting(MapCore& core, const MapLayer& layer, const PointBox& box) {
  const std::vector<int32_t> meeting = RowsMeeting(core.Render.Cache, core.Tables, layer, box);
  const LayerCache& cache = CacheOf(core.Render.Cache, core.Tables, layer);
  std::vector<int> rows;
  for (const int32_t row : meeting) {
    const CachedRow& r = cache.Rows[static_cast<size_t>(row)];
    if (r.Error < 0 && r.PointError < 0) rows.push_back(row);
  }
  return rows;
}

bool RowUnder(MapCore& core, const MapLayer& layer, int row, HitPoint at) {
  const float scale = core.View.Scale;
  const LayerCache& cache = CacheOf(core.Render.Cache, core.Tables, layer);
  if (row < 0 || static_cast<size_t>(row) >= cache.Rows.size()) return false;
  const CachedRow& r = cache.Rows[static_cast<size_t>(row)];
  if (r.Error >= 0 || r.PointError >= 0 || r.Count <= 0) return false;
  const ScaledPoint point{static_cast<long double>(at.X), static_cast<long double>(at.Y)};
  switch (layer.Hit.Shape) {
    case HitShape::None: return false;
    case HitShape::Icon: {
      // The icon sits on the row's X and Y cells, as the map click finds it.
      const auto p = RowPoint(TableOf(core.Tables, layer), layer.Box, row);
      return p && IsUnder(at, p->X, p->Y, scale);
    }
    case HitShape::Line: return LineUnder(layer, cache, r, point, scale);
    case HitShape::Area: return AreaUnder(cache, r, point, scale);
  }
  return false;
}
