#pragma once
// Real lengths on a georeferenced map: the shortest way over the WGS 84
// ellipsoid between the places that map points stand for (PROJ's geodesic
// routines, Karney's algorithm: exact to a few nanometres at any distance).
// The map is a transverse Mercator, whose scale grows away from its central
// meridian, so a length in map units is no length in metres; these are.
#include <optional>
#include <vector>

#include "mapdata/GeoReference.h"
#include "mapdata/TransverseMercator.h"

// A map point with a fraction (map units), as a click at a high scale gives.
struct MapSpot {
  double X = 0;
  double Y = 0;
};

// The geodesic distance between two places, metres.
double GeodesicDistance(LatLon a, LatLon b);

// The length in metres of the line through `points` in their order, each
// stretch measured along the geodesic between its ends; 0 for fewer than two
// points; none when a point has no latitude (too far from the central
// meridian: MapToLatLon).
std::optional<double> GeodesicLineLength(const GeoReference& geo, const std::vector<MapSpot>& points);

// Metres on the ground per map unit at map point `at`: the geodesic length of
// `span` map units east and west of it, over the span.  The projection's scale
// factor there is taken out, so the value holds at `at` whatever its distance
// from the central meridian.  None where the span's ends have no latitude or
// the span is not a positive finite length.
std::optional<double> GroundMetresPerMapUnit(const GeoReference& geo, MapSpot at, double span);
