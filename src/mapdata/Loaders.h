#pragma once
// The layer loaders, in the order the city load runs them.  Each empties its
// table(s), reads the scrambled file when it exists and the plain one otherwise,
// widens the map extents and reports problems through the host's messages.
#include <string>

struct MapCore;

void LoadObjectIcons(MapCore& core, const std::string& city);
void LoadFirms(MapCore& core, const std::string& city);
void LoadBuildings(MapCore& core, const std::string& city);
void LoadStreets(MapCore& core, const std::string& city);
void ReadRoutesScrambled(MapCore& core, const std::string& city);
void ReadRoutesText(MapCore& core, const std::string& city);
void ReadLabelsScrambled(MapCore& core, const std::string& city);
void ReadLabelsText(MapCore& core, const std::string& city);
void ReadRegionsScrambled(MapCore& core, const std::string& city);
void ReadRegionsText(MapCore& core, const std::string& city);
void LoadObjects(MapCore& core, const std::string& city);
