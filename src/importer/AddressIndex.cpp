#include "importer/AddressIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "importer/GeoBox.h"
#include "importer/Geometry.h"

namespace {

constexpr int32_t kCellSize = 20000;  // 0.002 degrees: a block or two
constexpr double kMetresPerDegree = 111320.0;

int32_t CellOf(int32_t v) { return v >= 0 ? v / kCellSize : (v - kCellSize + 1) / kCellSize; }

// The distance from `p` to the ring's edges, in metres, `metresPerX` being
// those of a fixed-point unit of longitude there.
double RingDistance(const GeoRing& ring, GeoPoint p, double metresPerX) {
  const double metresPerY = kMetresPerDegree / 1e7;
  double best = std::numeric_limits<double>::infinity();
  for (size_t k = 0; k + 1 < ring.size(); ++k) {
    const double ax = (ring[k].X - static_cast<double>(p.X)) * metresPerX;
    const double ay = (ring[k].Y - static_cast<double>(p.Y)) * metresPerY;
    const double dx = (ring[k + 1].X - static_cast<double>(ring[k].X)) * metresPerX;
    const double dy = (ring[k + 1].Y - static_cast<double>(ring[k].Y)) * metresPerY;
    const double length = dx * dx + dy * dy;
    const double t = length > 0 ? std::clamp(-(ax * dx + ay * dy) / length, 0.0, 1.0) : 0.0;
    best = std::min(best, std::hypot(ax + t * dx, ay + t * dy));
  }
  return best;
}

}  // namespace

int64_t AddressIndex::Cell(int32_t x, int32_t y) {
  return (static_cast<int64_t>(CellOf(x)) << 32) ^ static_cast<uint32_t>(CellOf(y));
}

AddressIndex::AddressIndex(const std::vector<BuildingFeature>& buildings, Which which) : buildings_(buildings) {
  for (size_t i = 0; i < buildings.size(); ++i) {
    const BuildingFeature& b = buildings[i];
    if (b.Shape.Outer.empty() || (which == Addressed && (b.Street.empty() || b.Number.empty()))) continue;
    GeoBox box;
    box.Add(b.Shape.Outer);
    for (int32_t cx = CellOf(box.MinX); cx <= CellOf(box.MaxX); ++cx)
      for (int32_t cy = CellOf(box.MinY); cy <= CellOf(box.MaxY); ++cy)
        cells_[(static_cast<int64_t>(cx) << 32) ^ static_cast<uint32_t>(cy)].push_back(static_cast<uint32_t>(i));
  }
}

const BuildingFeature* AddressIndex::At(GeoPoint p) const {
  const auto it = cells_.find(Cell(p.X, p.Y));
  if (it == cells_.end()) return nullptr;
  for (uint32_t i : it->second)
    if (RingContains(buildings_[i].Shape.Outer, p)) return &buildings_[i];
  return nullptr;
}

const BuildingFeature* AddressIndex::Near(GeoPoint p, double metres) const {
  const double metresPerX = kMetresPerDegree / 1e7 * std::max(0.05, std::cos(p.Y / 1e7 * M_PI / 180));
  const auto reach = [&](int32_t v, double perUnit, int sign) {
    return CellOf(static_cast<int32_t>(std::clamp(v + sign * metres / perUnit, -2e9, 2e9)));
  };
  const BuildingFeature* nearest = nullptr;
  double best = metres;
  for (int32_t cx = reach(p.X, metresPerX, -1); cx <= reach(p.X, metresPerX, 1); ++cx)
    for (int32_t cy = reach(p.Y, kMetresPerDegree / 1e7, -1); cy <= reach(p.Y, kMetresPerDegree / 1e7, 1); ++cy) {
      const auto it = cells_.find((static_cast<int64_t>(cx) << 32) ^ static_cast<uint32_t>(cy));
      if (it == cells_.end()) continue;
      for (uint32_t i : it->second)
        if (const double d = RingDistance(buildings_[i].Shape.Outer, p, metresPerX); d <= best)
          best = d, nearest = &buildings_[i];
    }
  return nearest;
}
