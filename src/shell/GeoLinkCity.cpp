#include "shell/GeoLinkCity.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "mapdata/CityMask.h"
#include "mapdata/CityTables.h"
#include "mapdata/LayerLoad.h"
#include "mapdata/LoadProgress.h"
#include "mapdata/Loaders.h"
#include "mapdata/MapExtents.h"
#include "shell/ViewerSettings.h"

namespace {

// The load's messages are the real load's to show, when the city opens.
class QuietHost : public LoadHost {
 public:
  void ShowMessage(const std::string&) override {}
};

constexpr double kZoomZeroMetresPerPixel = 156543.03392804097;  // 2 pi x 6378137 m / 256 pixels

bool Holds(const PointBox& box, MapCoordinates at) {
  return at.X >= box.MinX && at.X <= box.MaxX && at.Y >= box.MinY && at.Y <= box.MaxY;
}

// The cities in the order they are tried.
std::vector<const CityLocation*> TryOrder(const std::vector<CityLocation>& cities, const std::string& lastCity) {
  std::vector<const CityLocation*> order;
  for (const CityLocation& city : cities)
    if (city.CityName == lastCity) order.push_back(&city);
  for (const CityLocation& city : cities)
    if (city.CityName != lastCity) order.push_back(&city);
  return order;
}

}  // namespace

std::optional<PointBox> CityDataBox(const CityLocation& city) {
  CityTables tables;
  MapExtents extents;
  LoadProgress progress;
  QuietHost host;
  const LayerLoad load{city, CityScrambleMask(city), tables, extents, progress, host};
  for (const LayerReading* layer : LayerReadings()) LoadLayer(load, *layer);
  if (!extents.HasData) return std::nullopt;
  return extents.Data;
}

std::optional<CityAtPoint> FindCityHolding(const std::vector<CityLocation>& cities, const std::string& lastCity,
                                           LatLon at) {
  for (const CityLocation* city : TryOrder(cities, lastCity)) {
    const GeoReading reading = ReadGeoReference(*city);
    if (!reading.Geo) continue;
    const std::optional<MapCoordinates> point = LatLonToMap(*reading.Geo, at);
    if (!point) continue;
    const std::optional<PointBox> box = CityDataBox(*city);
    if (box && Holds(*box, *point)) return CityAtPoint{*city, *point, reading.Geo->Unit};
  }
  return std::nullopt;
}

float ScaleOfZoomLevel(int zoom, double latitude, double unit) {
  const double metresPerPixel =
      kZoomZeroMetresPerPixel * std::cos(latitude * std::numbers::pi / 180) / std::ldexp(1.0, zoom);
  double scale = unit / std::max(metresPerPixel, 1e-9);
  if (scale >= 0.5) scale = std::max(0.5, std::round(scale * 2) / 2);
  return static_cast<float>(std::clamp(scale, double(kRememberedScaleMin), double(kRememberedScaleMax)));
}

std::string NoCityHoldsMessage(LatLon at) { return "Ни один город не содержит точку " + LatLonText(at) + "."; }
