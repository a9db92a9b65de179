#include "importer/CityArea.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <utility>

namespace {

constexpr double kMetresPerDegree = 111320.0;
// The grid of the density: cells of about a third of a kilometre, counted
// three by three, so that a block of flats does not outweigh a town centre.
constexpr double kCellMetres = 333.0;
// The least margin, in degrees of latitude: about 100 m.
constexpr double kLeastMarginDegrees = 100.0 / kMetresPerDegree;
// Bounds wider or higher than this are a region's or the planet's, and say
// nothing of where the city is.
constexpr double kWidestBoundsMetres = 200e3;

// Whether the file's bounds can be the city's core: data lies in them and
// they are no wider than a city's surroundings.
bool CityBounds(const GeoBox& bounds, const GeoBox& dataCore) {
  if (bounds.Empty() || !bounds.Overlaps(dataCore)) return false;
  const double latitude = (bounds.MinY / 2 + bounds.MaxY / 2) / 1e7 * M_PI / 180;
  const double height = (static_cast<double>(bounds.MaxY) - bounds.MinY) / 1e7 * kMetresPerDegree;
  const double width = (static_cast<double>(bounds.MaxX) - bounds.MinX) / 1e7 * kMetresPerDegree * std::cos(latitude);
  return width <= kWidestBoundsMetres && height <= kWidestBoundsMetres;
}

GeoPoint Middle(const GeoBox& box) {
  return {static_cast<int32_t>((static_cast<int64_t>(box.MinX) + box.MaxX) / 2),
          static_cast<int32_t>((static_cast<int64_t>(box.MinY) + box.MaxY) / 2)};
}

int32_t Clamped(int64_t value, int64_t lo, int64_t hi) { return static_cast<int32_t>(std::clamp(value, lo, hi)); }

template <typename Points>
bool AnyOutside(const Points& points, const GeoBox& area) {
  return std::any_of(points.begin(), points.end(), [&](GeoPoint p) { return !area.Contains(p); });
}

}  // namespace

std::optional<GeoPoint> DensestBuildings(const std::vector<BuildingFeature>& every, const GeoBox& area) {
  std::vector<const BuildingFeature*> buildings;
  for (const BuildingFeature& b : every)
    if (!b.Shape.Outer.empty() && area.Contains(b.Shape.Outer.front())) buildings.push_back(&b);
  if (buildings.empty()) return std::nullopt;
  GeoBox all;
  for (const BuildingFeature* b : buildings) all.Add(b->Shape.Outer.front());
  if (all.Empty()) return std::nullopt;
  const double latitude = Middle(all).Y / 1e7 * M_PI / 180;
  const double cellY = kCellMetres / kMetresPerDegree * 1e7;
  const double cellX = cellY / std::max(0.05, std::cos(latitude));
  const auto cellOf = [&](GeoPoint p) {
    return std::pair<int64_t, int64_t>{static_cast<int64_t>(std::floor((p.X - static_cast<double>(all.MinX)) / cellX)),
                                       static_cast<int64_t>(std::floor((p.Y - static_cast<double>(all.MinY)) / cellY))};
  };
  std::map<std::pair<int64_t, int64_t>, size_t> counts;
  for (const BuildingFeature* b : buildings) ++counts[cellOf(b->Shape.Outer.front())];
  // The cell whose three by three block holds the most; the first such.
  std::pair<int64_t, int64_t> best = counts.begin()->first;
  size_t bestCount = 0;
  for (const auto& [cell, n] : counts) {
    size_t block = 0;
    for (int64_t dx = -1; dx <= 1; ++dx)
      for (int64_t dy = -1; dy <= 1; ++dy)
        if (auto it = counts.find({cell.first + dx, cell.second + dy}); it != counts.end()) block += it->second;
    if (block > bestCount) best = cell, bestCount = block;
  }
  GeoBox dense;
  for (const BuildingFeature* b : buildings) {
    const auto cell = cellOf(b->Shape.Outer.front());
    if (std::abs(cell.first - best.first) <= 1 && std::abs(cell.second - best.second) <= 1) dense.Add(b->Shape.Outer.front());
  }
  return Middle(dense);
}

GeoBox WithMargin(const GeoBox& box, double fraction) {
  const double latitude = Middle(box).Y / 1e7 * M_PI / 180;
  const double leastY = kLeastMarginDegrees * 1e7;
  const double leastX = leastY / std::max(0.05, std::cos(latitude));
  const auto margin = [&](int32_t lo, int32_t hi, double least) {
    return static_cast<int64_t>(std::max((static_cast<double>(hi) - lo) * fraction, least));
  };
  const int64_t mx = margin(box.MinX, box.MaxX, leastX), my = margin(box.MinY, box.MaxY, leastY);
  // Longitudes are unwrapped around the city and may pass 180 degrees (a city
  // across the 180th meridian): only the fixed-point range bounds them.
  constexpr int64_t kLon = INT32_MAX, kLat = 900000000;
  GeoBox kept;
  kept.MinX = Clamped(int64_t{box.MinX} - mx, -kLon, kLon);
  kept.MaxX = Clamped(int64_t{box.MaxX} + mx, -kLon, kLon);
  kept.MinY = Clamped(int64_t{box.MinY} - my, -kLat, kLat);
  kept.MaxY = Clamped(int64_t{box.MaxY} + my, -kLat, kLat);
  return kept;
}

CityArea FindCityArea(const Features& features, const GeoBox& dataCore, const std::optional<GeoBox>& fileBounds,
                      const std::vector<CityName>& names) {
  CityArea area;
  const bool bounds = fileBounds && CityBounds(*fileBounds, dataCore);
  area.Core = bounds ? *fileBounds : dataCore;
  area.Source = bounds ? "the file's bounds" : "the box of its streets, buildings and points of interest";
  area.Kept = WithMargin(area.Core, kCityAreaMargin);
  if (const SettlementFeature* s = CentralSettlement(features.Settlements, area.Kept, names)) {
    area.Centre = s->At;
    area.CentreHow = SettlementText(*s);
  } else if (const std::optional<GeoPoint> dense = DensestBuildings(features.Buildings, area.Kept)) {
    area.Centre = *dense;
    area.CentreHow = kDensestBuildings;
  } else {
    area.Centre = Middle(area.Core);
    area.CentreHow = kMiddleOfTheArea;
  }
  return area;
}

size_t FeaturesReachingOut(const Features& f, const GeoBox& area) {
  size_t n = 0;
  for (const LineFeature& l : f.Lines) n += AnyOutside(l.Line.Points, area) ? 1 : 0;
  for (const BuildingFeature& b : f.Buildings) n += AnyOutside(b.Shape.Outer, area) ? 1 : 0;
  for (const RegionFeature& r : f.Regions) n += AnyOutside(r.Shape.Outer, area) ? 1 : 0;
  for (const LabelFeature& l : f.Labels) n += area.Contains(l.At) ? 0 : 1;
  for (const ObjectFeature& o : f.Objects) n += area.Contains(o.At) ? 0 : 1;
  for (const FirmFeature& firm : f.Firms) n += area.Contains(firm.At) ? 0 : 1;
  for (const RouteFeature& r : f.Routes)
    n += std::any_of(r.Ways.begin(), r.Ways.end(), [&](const GeoLine& w) { return AnyOutside(w.Points, area); }) ? 1 : 0;
  return n;
}
