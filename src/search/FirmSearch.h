#pragma once
#include <string>

#include "search/TieredSearch.h"

struct MapCore;
struct SearchState;

// Lists the firms whose name, address (street and number joined without a
// separator) and/or keywords contain the key, as SearchFirmNames, SearchFirmAddresses and SearchFirmKeywords choose, in
// FoundFirms (caption = row in ListOfFirms) and SearchFirmListView, kept row for
// row in step; FirmCountText = number of results.  An empty key or a single space lists
// nothing.  While found firms are drawn, the map is redrawn and painted.  Reaching
// further (the default), the firms found word by word follow; when there are
// none of either, the similar ones are listed instead (FirmSimilar of them)
// and FirmCountText shows 0.  A key longer than KeyLimit.h allows is searched
// for by its beginning, and FirmKeyCut says so.
void SearchFirms(MapCore& core, const std::string& key, MatchReach reach = MatchReach::Extended);

// Empties FoundFirms and SearchFirmListView; FirmCountText shows "0".
void ClearFirmResults(SearchState& search);

// Enter in the firm search field: an empty field searches for one space (which lists nothing).
void SearchFirmsFromField(MapCore& core, const std::string& editText);

// A click (centre = false) or a double click on a found firm
// (centre = true): shows the firm of row `visibleRow` of SearchFirmListView.
// A row outside the list does nothing; a failure while showing is swallowed.
void FirmResultSelected(MapCore& core, int visibleRow, bool centre);
