#pragma once
#include <cstdint>

// The layer switches the redraw reads (MapLayer::Switch); they outlive a city
// load.  Streets, buildings and regions are always shown: no control turns
// their switches off (MapLayer::AlwaysShown).
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
