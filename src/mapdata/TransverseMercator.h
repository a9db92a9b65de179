#pragma once
// The transverse Mercator projection on the WGS 84 ellipsoid, both ways,
// in the series form PROJ computes with "+proj=tmerc +approx" (Snyder's):
// within a few degrees of the central meridian it agrees with the exact
// projection to well under a millimetre, which is all a city map needs, and
// the viewer needs no projection library to read its georeference.
#include <optional>

struct TransverseMercator {
  double OriginLatitude = 0;   // lat_0, degrees
  double CentralMeridian = 0;  // lon_0, degrees
  double ScaleFactor = 1;      // k
  double FalseEasting = 0;     // x_0, metres
  double FalseNorthing = 0;    // y_0, metres
};

struct LatLon {
  double Latitude = 0;   // degrees, north positive
  double Longitude = 0;  // degrees, east positive, within [-180, 180]
};

// The series hold within kMaxMeridianOffset of the central meridian (the
// importer's map reaches 1000 km from its centre).
constexpr double kMaxMeridianOffset = 2'000'000;  // metres

// The location of projected point (easting, northing), in metres; none for a
// point farther from the central meridian than kMaxMeridianOffset or beyond a
// pole.
std::optional<LatLon> InverseTransverseMercator(const TransverseMercator& projection, double easting,
                                                double northing);

// The forward direction: the projected point, in metres, of a location, by
// the same series ("+approx"); none for a location more than 90 degrees of
// longitude or kMaxMeridianOffset from the central meridian.
struct ProjectedPoint {
  double Easting = 0;
  double Northing = 0;
};
std::optional<ProjectedPoint> ForwardTransverseMercator(const TransverseMercator& projection, LatLon at);
