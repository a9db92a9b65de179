#include "state/MapCore.h"

MapCore::MapCore(MapHost& host, fs::path dataRoot) : Host(host), DataRoot(std::move(dataRoot)) {
  View.ScreenWidth = Host.ScreenPixelWidth() / 2;
  View.ScreenHeight = Host.ScreenPixelHeight() / 2;
}

LayerLoad MapCore::Loading(const std::string& city) {
  return LayerLoad{CityLocation{DataRoot, city}, ScrambleMask, Tables, Extents, Progress, Host};
}
