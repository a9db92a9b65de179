#pragma once
// The second half of the mapping: the features read from the data become the
// records of a city.  Here the city's centre is found, everything is clipped
// to the area asked for, projected into map units, joined, split or
// simplified to the point limit, given addresses, labels and keywords, and
// its text made Windows-1251.
#include <optional>
#include <string>
#include <vector>

#include "citywriter/CityModel.h"
#include "importer/CityCentre.h"
#include "importer/DataReach.h"
#include "importer/Features.h"
#include "importer/GeoBox.h"
#include "importer/ImportControl.h"
#include "mapdata/GeoReference.h"
#include "route/RoadGraph.h"

struct AssemblyOptions {
  std::string Name;             // the city's folder name and title (UTF-8)
  double Unit = 0;              // metres per map unit
  std::optional<GeoBox> Box;    // --bbox
  std::optional<GeoBox> FileBounds;  // the box the file says it covers (FileBounds.h)
  std::vector<CityName> CityNames;   // what the city is called, best first (CityCentre.h)
  // Told the share of the assembly done between its stages, and asked there
  // whether to stop (ImportStopped).
  const ImportControl* Control = nullptr;
};

struct AssembledCity {
  City Map;
  // The part of the map where the city is (its streets and buildings), in
  // map units, for the preview picture.
  int MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
  // How the map's points turn back into locations (Info/Georef.inf).
  GeoReference Geo;
  // The roads for directions (Data/Roads.gr).
  RoadGraph Roads;
};

// False, with the reason, when nothing of the data makes a record.
bool AssembleCity(Features& features, const AssemblyOptions& options, AssembledCity& city, std::string& error);
