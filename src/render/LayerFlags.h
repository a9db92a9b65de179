#pragma once
#include <cstdint>

// Which layers the redraw draws; they outlive a city load.
struct LayerFlags {
  bool ShowStreets = true;
  bool ShowBuildings = true;
  bool ShowRegions = true;
  bool ShowTexts = true;
  bool ShowObjects = true;
  bool ShowRoutes = false;
  bool ShowFoundFirms = false;
  int32_t ObjectFilter = -1;  // -1: all object kinds, else the one icon index shown
  bool ClickSelect = true;    // a left click on the map selects objects
};
