#pragma once
// Where the city is, found before anything is projected: its core, whose
// middle becomes the map's centre (500, 600) where the first view looks, and
// the area the map keeps.  Data reaching far out of the core (a railway or a
// road running on out of an export, a border, a long river) is cut at a
// margin around it instead of stretching the map and pulling its middle away.
#include <cstddef>
#include <optional>
#include <string>

#include "importer/CityCentre.h"
#include "importer/Features.h"
#include "importer/GeoBox.h"

// The margin kept around the core, as a part of its width and height.
constexpr double kCityAreaMargin = 0.10;

struct CityArea {
  GeoBox Core;
  GeoPoint Centre;
  GeoBox Kept;         // the core and its margin
  std::string Source;  // what the core is, for the summary
  std::string CentreHow;  // how the centre was found, for the summary
};

// The core is the file's own bounds when it has them, data lies in them and
// they span no more than 200 km (a region's or the planet's bounds tell
// nothing); else `dataCore`, the box of the streets, buildings and points of
// interest.  Either only bounds the map: an extract's box is drawn around
// the city and its surroundings, seldom centred on it.  The centre is the
// settlement the city's `names` call or the most important one in the kept
// area (CityCentre.h), else the densest part of the buildings.
CityArea FindCityArea(const Features& features, const GeoBox& dataCore, const std::optional<GeoBox>& fileBounds,
                      const std::vector<CityName>& names);

// What the summary says of a centre found as the densest buildings, or as
// the middle of the area when there are no buildings.
inline const std::string kDensestBuildings = "densest buildings";
inline const std::string kMiddleOfTheArea = "middle of the area";

// The densest part of the buildings in `area`: the middle of those in the
// square kilometre around the grid cell that has the most of them; none
// without buildings there.
std::optional<GeoPoint> DensestBuildings(const std::vector<BuildingFeature>& buildings, const GeoBox& area);

// `box` widened on each side by `fraction` of its width and height (at least
// about 100 m).
GeoBox WithMargin(const GeoBox& box, double fraction);

// The features that reach out of `area`, each counted once.
size_t FeaturesReachingOut(const Features& features, const GeoBox& area);
