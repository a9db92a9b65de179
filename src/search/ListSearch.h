#pragma once
#include <string>

#include "search/TieredSearch.h"

struct MapCore;

// The rows of the list search for the key as given (the tables' numbering:
// 0 streets, 1 buildings, 2 firms, 3 objects).
FoundRows FindListRows(const MapCore& core, std::string_view key, MatchReach reach);

// Lists every street, building, firm and object whose text contains the key in
// FoundRecords (with kind code and row index) and SearchListView (what the user
// sees), kept row for row in step; ListCountText = number of results.  Reaching
// further (the default), the rows found word by word follow; when there are
// none of either, the similar names are listed instead (ListSimilar of them)
// and ListCountText shows 0.  A key longer than KeyLimit.h allows is searched
// for by its beginning, and ListKeyCut says so; ListKey holds it whole.
void FillSearchList(MapCore& core, const std::string& key, MatchReach reach = MatchReach::Extended);

// Turns row `visibleRow` of SearchListView into the map selection: clears the
// selection, then selects the street, building or object, or shows the firm.
// A row outside the list does nothing.  The caller redraws and paints.
void ShowSearchResult(MapCore& core, int visibleRow, bool centre);

// A click (centre = false) or a double click (centre = true) on a found row: with a row
// selected (selectedRow >= 0), ShowSearchResult, RedrawView and a paint of the
// map window; with none (-1) nothing happens.
void SelectFoundRow(MapCore& core, int selectedRow, bool centre);
