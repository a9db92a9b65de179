// Operations whose modules are still being written.  Each block is removed when
// its module lands; nothing here is the real behaviour.
#include "mapdata/Loaders.h"
#include "search/FirmSearch.h"
#include "search/Keywords.h"
#include "search/ListSearch.h"
#include "shell/MapCore.h"

// --- mapdata (loaders) ---
void LoadObjectIcons(MapCore&, const std::string&) {}
void LoadFirms(MapCore&, const std::string&) {}
void LoadBuildings(MapCore&, const std::string&) {}
void LoadStreets(MapCore&, const std::string&) {}
void ReadRoutesScrambled(MapCore&, const std::string&) {}
void ReadRoutesText(MapCore&, const std::string&) {}
void ReadLabelsScrambled(MapCore&, const std::string&) {}
void ReadLabelsText(MapCore&, const std::string&) {}
void ReadRegionsScrambled(MapCore&, const std::string&) {}
void ReadRegionsText(MapCore&, const std::string&) {}
void LoadObjects(MapCore&, const std::string&) {}

