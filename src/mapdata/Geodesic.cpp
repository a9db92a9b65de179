#include "mapdata/Geodesic.h"

#include <geodesic.h>

#include <cmath>

namespace {

// WGS 84, the ellipsoid of every georeference (GeoReference.h).
const geod_geodesic& Wgs84() {
  static const geod_geodesic ellipsoid = [] {
    geod_geodesic g{};
    geod_init(&g, 6378137.0, 1 / 298.257223563);
    return g;
  }();
  return ellipsoid;
}

std::optional<LatLon> Place(const GeoReference& geo, MapSpot p) {
  if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return std::nullopt;
  return MapToLatLon(geo, p.X, p.Y);
}

}  // namespace

double GeodesicDistance(LatLon a, LatLon b) {
  double metres = 0;
  geod_inverse(&Wgs84(), a.Latitude, a.Longitude, b.Latitude, b.Longitude, &metres, nullptr, nullptr);
  return metres;
}

std::optional<double> GeodesicLineLength(const GeoReference& geo, const std::vector<MapSpot>& points) {
  double metres = 0;
  std::optional<LatLon> previous;
  for (const MapSpot& p : points) {
    const std::optional<LatLon> here = Place(geo, p);
    if (!here) return std::nullopt;
    if (previous) metres += GeodesicDistance(*previous, *here);
    previous = here;
  }
  return metres;
}

std::optional<double> GroundMetresPerMapUnit(const GeoReference& geo, MapSpot at, double span) {
  if (!(span > 0) || !std::isfinite(span)) return std::nullopt;
  const std::optional<double> metres = GeodesicLineLength(geo, {{at.X - span / 2, at.Y}, {at.X + span / 2, at.Y}});
  if (!metres || !(*metres > 0)) return std::nullopt;
  return *metres / span;
}
