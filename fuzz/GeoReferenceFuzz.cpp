// A city's "Info/Georef.inf" read as a city load reads it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzCity.h"
#include "mapdata/GeoReference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzCity& city = FuzzCity::Instance();
  city.Write(kGeoReferenceFile, data, size);
  const GeoReading reading = ReadGeoReference(CityLocation{city.DataRoot(), city.Name()});
  // Either a georeference or the reason there is none.
  if (reading.Geo.has_value() == !reading.Problem.empty()) __builtin_trap();
  if (!reading.Geo) return 0;
  // What was accepted is written back as it was read, and a map point of the
  // 32-bit range has either no location (too far from the city) or one on the globe.
  GeoReference again;
  std::string problem;
  if (!ParseGeoReference(GeoReferenceText(*reading.Geo), again, problem)) __builtin_trap();
  for (const double x : {-2147483648.0, 0.0, 2147483647.0})
    for (const double y : {-2147483648.0, 0.0, 2147483647.0}) {
      const std::optional<LatLon> at = MapToLatLon(*reading.Geo, x, y);
      if (at && (!(std::fabs(at->Latitude) <= 90) || !(std::fabs(at->Longitude) <= 180))) __builtin_trap();
    }
  return 0;
}
