#include "importer/AddressPoints.h"

#include <algorithm>
#include <cmath>

#include "importer/AddressIndex.h"

namespace {

// Half the side of the square drawn for a house known by a point only: about
// 7 m, a small house, still a few map units wide.
constexpr double kHalfSideMetres = 7;
constexpr double kMetresPerDegree = 111320;

GeoPolygon SquareAround(GeoPoint at) {
  const double latitude = at.Y / 1e7 * M_PI / 180;
  const auto dy = static_cast<int32_t>(kHalfSideMetres / kMetresPerDegree * 1e7);
  const auto dx = static_cast<int32_t>(dy / std::max(0.01, std::cos(latitude)));
  const auto clampX = [](int64_t x) { return static_cast<int32_t>(std::clamp<int64_t>(x, -1800000000, 1800000000)); };
  const auto clampY = [](int64_t y) { return static_cast<int32_t>(std::clamp<int64_t>(y, -900000000, 900000000)); };
  const GeoPoint sw{clampX(int64_t{at.X} - dx), clampY(int64_t{at.Y} - dy)};
  const GeoPoint ne{clampX(int64_t{at.X} + dx), clampY(int64_t{at.Y} + dy)};
  return {{sw, {ne.X, sw.Y}, ne, {sw.X, ne.Y}, sw}, {}};
}

bool SameAddress(const BuildingFeature& b, const AddressPoint& p) { return b.Street == p.Street && b.Number == p.Number; }

}  // namespace

void PlaceAddressPoints(Features& f) {
  if (f.AddressPoints.empty()) return;
  std::vector<BuildingFeature> small;
  {
    const AddressIndex footprints(f.Buildings, AddressIndex::Every);
    for (AddressPoint& p : f.AddressPoints) {
      const BuildingFeature* around = footprints.At(p.At);
      if (around && around->Street.empty() && around->Number.empty() && !p.Number.empty()) {
        BuildingFeature& b = f.Buildings[static_cast<size_t>(around - f.Buildings.data())];
        b.Street = p.Street;
        b.Number = p.Number;
        if (b.Name.empty()) b.Name = p.Name;
        f.Report.Change("address node given to the building around it");
      } else if (!around || (!p.Number.empty() && !SameAddress(*around, p))) {
        small.push_back({std::move(p.Street), std::move(p.Number), std::move(p.Name), SquareAround(p.At), p.Id});
        f.Report.Change("address or building node drawn as a small building");
      }
    }
  }
  f.AddressPoints = {};
  for (BuildingFeature& b : small) f.Buildings.push_back(std::move(b));
}
