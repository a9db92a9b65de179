#include "AddressIndex.h"

#include "GeoBox.h"
#include "Geometry.h"

namespace {

constexpr int32_t kCellSize = 20000;  // 0.002 degrees: a block or two

int32_t CellOf(int32_t v) { return v >= 0 ? v / kCellSize : (v - kCellSize + 1) / kCellSize; }

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
