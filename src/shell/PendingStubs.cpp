// Operations whose modules are still being written.  Each block is removed when
// its module lands; nothing here is the real behaviour.
#include "info/Selection.h"
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

// --- info ---
void ResetSelection(MapCore&) {}
void UpdateSelectionOverlay(MapCore&) {}
void SelectStreet(MapCore&, int, bool) {}
void SelectBuilding(MapCore&, int, bool) {}
void SelectObject(MapCore&, int, bool) {}
void ShowObjectInfo(MapCore&, int, bool) {}
void SelectAtPoint(MapCore&, int32_t, int32_t, bool) {}
void SelectRoute(MapCore&, int, bool) {}

// --- search ---
bool MatchesKey(std::string_view, std::string_view) { return false; }
void FillSearchList(MapCore&, const std::string&) {}
void SearchFirms(MapCore&, const std::string&) {}
void LoadKeywords(MapCore&) {}
void AddKeyword(MapCore&, const std::string&) {}
