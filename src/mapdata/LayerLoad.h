#pragma once
// What a loader reads and what it fills: the city's files, its tables and the
// map extents, and where it reports (messages, the progress panel of the city
// window).  The map window's state hands out its parts (MapCore::Loading).
#include <string>
#include <vector>

#include "mapdata/CityLocation.h"
#include "mapdata/CityTables.h"
#include "mapdata/LoadProgress.h"
#include "mapdata/MapExtents.h"

// What a load needs from its surroundings: the viewer's windows, or a host that
// records (the command-line tool, the tests).
class LoadHost {
 public:
  virtual ~LoadHost() = default;
  // A modal message box with an OK button; returns when it is closed.  UTF-8.
  virtual void ShowMessage(const std::string& utf8Text) = 0;
  // The city-selection window is repainted at once (load progress).
  virtual void RepaintCityWindow() {}
  // One pass of pending-message processing.
  virtual void ProcessPendingEvents() {}
};

struct LayerLoad {
  CityLocation City;
  unsigned char ScrambleMask;  // the city's (CityMask.h)
  CityTables& Tables;
  MapExtents& Extents;
  LoadProgress& Progress;
  LoadHost& Host;
  // The names in the city's Firms folder when the load listed it already
  // (ListEntries); none: the firms' loader lists it.
  const std::vector<std::string>* FirmEntries = nullptr;
};
