#pragma once
// The layer loaders, in the order the city load runs them.  Each empties its
// table(s), reads the scrambled file when it exists and the plain one otherwise,
// widens the map extents and reports problems through the host's messages.
#include <filesystem>
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

// One variant of a layer read from a full path, appending rows.
void ReadStreetsText(MapCore& core, const std::filesystem::path& file);
void ReadStreetsScrambled(MapCore& core, const std::filesystem::path& file);
void ReadBuildingsText(MapCore& core, const std::filesystem::path& file);
void ReadBuildingsScrambled(MapCore& core, const std::filesystem::path& file);
void ReadObjectsText(MapCore& core, const std::filesystem::path& file);
void ReadObjectsScrambled(MapCore& core, const std::filesystem::path& file);
// One firm file; false when no row was added.
bool ReadFirmText(MapCore& core, const std::filesystem::path& file);
bool ReadFirmScrambled(MapCore& core, const std::filesystem::path& file);

// Box or point cells of a row from its point cells, and the map extents widened.
void AppendStreetBox(MapCore& core, int row);
void AppendBuildingBox(MapCore& core, int row);
void AppendRouteBox(MapCore& core, int row);
void AppendLabelPoint(MapCore& core, int row);
void AppendRegionBox(MapCore& core, int row);
void AppendObjectPoint(MapCore& core, int row);
void AppendFirmPoint(MapCore& core, int row);
