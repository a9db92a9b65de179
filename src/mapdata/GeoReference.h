#pragma once
// A city's georeference: how its map units turn back into latitude and
// longitude.  The OpenStreetMap importer writes it into the city as
// Info/Georef.inf; other cities have none and show map units only.  The file
// comes with a folder from anywhere, so it is read as a stranger's: at most
// kMaxGeoReferenceBytes, every line exactly as below, every value within its
// bounds; anything else makes it no georeference, with the reason.
//
// ASCII, lines ending in CR LF (LF alone also read), exactly these five, in
// this order:
//   Tellurin georeference 1
//   proj +proj=tmerc +approx +lat_0=45.0312100 +lon_0=39.0240600 +k=1 +x_0=0 +y_0=0 +ellps=WGS84
//   unit 4
//   origin 500 600
//   axes east south
// "proj": the projection as a PROJ definition, which other programs take as
// it is: a transverse Mercator on WGS 84 ("+approx" optional; lat_0, lon_0,
// k, x_0 and y_0 optional, defaults 0, 0, 1, 0, 0; nothing else).  "unit":
// metres per map unit.  "origin": the map point at projected (0, 0).  "axes":
// where map x and map y grow, "east south" (as the map is drawn) or
// "east north".  So map point (X, Y) is projected point
// E = (X - 500) * 4, N = (600 - Y) * 4 metres with the lines above.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "mapdata/CityLocation.h"
#include "mapdata/TransverseMercator.h"

constexpr const char* kGeoReferenceFile = "Info/Georef.inf";
constexpr size_t kMaxGeoReferenceBytes = 4096;

struct GeoReference {
  TransverseMercator Projection;
  bool Approx = true;             // "+approx" written (the projection's series form)
  double Unit = 1;                // metres per map unit
  int OriginX = 0, OriginY = 0;   // map point of projected (0, 0)
  bool NorthUp = false;           // map y grows to the north ("east north")
};

// The location of map point (x, y), map units with a fraction; none where the
// projection does not reach (InverseTransverseMercator).
std::optional<LatLon> MapToLatLon(const GeoReference& geo, double x, double y);

// A map point in map units with a fraction.
struct MapCoordinates {
  double X = 0;
  double Y = 0;
};
// The map point of a location (ForwardTransverseMercator); none where the
// projection does not reach.
std::optional<MapCoordinates> LatLonToMap(const GeoReference& geo, LatLon at);

// The PROJ definition of the projection ("+proj=tmerc +approx +lat_0=…"), as
// the importer projects with it and the file's "proj" line gives it.
std::string ProjDefinition(const GeoReference& geo);
// The file's bytes for `geo`.
std::string GeoReferenceText(const GeoReference& geo);
// False, with what is wrong (UTF-8, for DataProblemMessage), unless `bytes`
// are a georeference in the form above.
bool ParseGeoReference(std::string_view bytes, GeoReference& geo, std::string& problem);

struct GeoReading {
  std::optional<GeoReference> Geo;  // none without a file or with a bad one
  std::filesystem::path File;
  std::string Problem;              // why a file that is there was refused, else empty
};
// The city's georeference, if it has a good one.
GeoReading ReadGeoReference(const CityLocation& city);

// Degrees to `decimals` decimals with a point, whatever the locale; no sign
// on a value that rounds to zero.
std::string DegreesText(double degrees, int decimals);
// "45.03121, 39.02406": latitude and longitude to five decimals (about a
// metre), as map applications take them.
std::string LatLonText(LatLon at);
