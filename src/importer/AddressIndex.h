#pragma once
// Addresses of the buildings, found by a point inside them: a shop mapped as
// a point often has no address of its own, while the house around it has.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "importer/Features.h"

class AddressIndex {
 public:
  enum Which { Addressed, Every };
  // Buildings without a street or a number are kept only for Every.
  explicit AddressIndex(const std::vector<BuildingFeature>& buildings, Which which = Addressed);

  // The building whose outline holds the point, or nullptr.
  const BuildingFeature* At(GeoPoint p) const;
  // The building whose outline comes nearest to the point, within `metres`
  // (at most a few hundred), or nullptr.
  const BuildingFeature* Near(GeoPoint p, double metres) const;

 private:
  static int64_t Cell(int32_t x, int32_t y);
  const std::vector<BuildingFeature>& buildings_;
  std::unordered_map<int64_t, std::vector<uint32_t>> cells_;  // grid cell -> buildings whose box touches it
};
