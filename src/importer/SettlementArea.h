#pragma once
// The area of a settlement chosen out of a region: the smallest
// administrative boundary whose polygon holds its place node (not the
// region's own, which holds every settlement of the file, nor one far larger
// than a settlement of its kind), else a radius fitting its kind.  Found in
// three passes that keep only the settlements, the boundary relations (not
// the borders of countries, admin_level 2 and 3), their member ways' node ids
// and those nodes' locations, so a region of any size takes little memory.
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "importer/Features.h"
#include "importer/GeoBox.h"
#include "importer/ImportControl.h"

struct SettlementArea {
  GeoBox Core;       // the boundary's box, or the radius's
  GeoBox Cut;        // the core with the margin any city gets: what the import keeps
  std::string How;   // "boundary relation 12" or "radius 5 km", for the summary
  size_t BrokenBoundaries = 0;  // boundaries around it left for missing members or open rings
};

// The summary's reason for a boundary that could not be used.
inline const std::string kBrokenBoundary = "settlement boundary with missing members or open rings";

// The radius a settlement of this kind is cut by without a boundary: 15 km
// for a city, 5 km for a town, 2 km for a village, 1 km for the rest.
int RadiusKmOf(const std::string& place);

// A region's settlements, most important first (as ListSettlements gives
// them), and its administrative boundaries.
struct SettlementBoundaries;
struct RegionMap {
  std::vector<SettlementFeature> Settlements;
  std::shared_ptr<const SettlementBoundaries> Boundaries;
};

// Reads the region in three passes (relations, their ways, then the nodes:
// the boundaries' and the settlements' at once).  Throws std::exception with
// libosmium's reason when the file cannot be read, ImportStopped when the
// control asks to stop.
RegionMap ReadRegion(const std::filesystem::path& input, const ImportControl& control = UnwatchedImport());

// The area of `settlement`, one of the region's.
SettlementArea AreaOf(const RegionMap& region, const SettlementFeature& settlement);
