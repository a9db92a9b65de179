#pragma once
// The area of a settlement chosen out of a region: the smallest
// administrative boundary whose polygon holds its place node (not the
// region's own, which holds every settlement of the file, nor one far larger
// than a settlement of its kind), else a radius fitting its kind.  Found in
// three passes that keep only the boundary relations (not the borders of
// countries, admin_level 2 and 3), their member ways' node ids and those
// nodes' locations, so a region of any size takes little memory.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "Features.h"
#include "GeoBox.h"
#include "ImportControl.h"

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

// Throws std::exception with libosmium's reason when the file cannot be
// read, ImportStopped when the control asks to stop.  `settlements` are all
// of the file's (ListSettlements).
SettlementArea FindSettlementArea(const std::filesystem::path& input, const SettlementFeature& settlement,
                                  const std::vector<SettlementFeature>& settlements,
                                  const ImportControl& control = UnwatchedImport());
