#pragma once
// Which city a geo: link opens: the one that holds the point, the city used
// last tried first, then the others as the city list has them.  A city holds
// a point when it has a georeference and the point, projected with it, lies
// within the box of the city's own data in map units.
#include <optional>
#include <string>
#include <vector>

#include "mapdata/CityLocation.h"
#include "mapdata/GeoReference.h"
#include "mapdata/PointList.h"

struct CityAtPoint {
  CityLocation City;
  MapCoordinates At;  // the point in the city's map units
  double Unit = 1;    // the city's metres per map unit
};

// The box of a city's own data: its layers read as a load reads them, without
// its firms and icons, whatever they would say of a bad file.  An empty city
// has none.
std::optional<PointBox> CityDataBox(const CityLocation& city);

// The first city of `cities`, `lastCity` (directory name) first, that holds
// the point; none when none does.  Only cities with a georeference are read.
std::optional<CityAtPoint> FindCityHolding(const std::vector<CityLocation>& cities, const std::string& lastCity,
                                           LatLon at);

// The scale that shows a web map's zoom level `zoom` at `latitude`: its
// ground resolution, 156543.03 m per pixel at level 0 on the equator, halved
// at each level and shrinking with the cosine of the latitude, on a city of
// `unit` metres per map unit (a scale s shows a map unit in s pixels).  So
// level 17, about 0.84 m a pixel at 45 degrees, shows a city of 4 m units at
// about 4.7, taken to the track bar's step of 0.5 nearest to it (4.5) from
// 0.5 up, as the zoom controls would set it; within the scales a remembered
// view may have.
float ScaleOfZoomLevel(int zoom, double latitude, double unit);

// "Ни один город не содержит точку 45.03074, 39.02428." (UTF-8).
std::string NoCityHoldsMessage(LatLon at);
