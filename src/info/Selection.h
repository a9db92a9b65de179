#pragma once
#include <cstdint>

#include "state/SearchState.h"

struct MapCore;

void ResetSelection(MapCore& core);
void SelectStreet(MapCore& core, int row, bool centre);
void SelectBuilding(MapCore& core, int row, bool centre);
void SelectObject(MapCore& core, int row, bool centre);
// Selects the firm of row `row` of ListOfFirms: what its highlight, the status
// bar and its picture buttons need, and the view centre (moved on request).
void SelectFirm(MapCore& core, int row, bool centre);
// What a firm chosen anywhere gets: SelectFirm, then the information panel is
// filled from the firm's files, the picture redrawn and the window painted.
void ShowObjectInfo(MapCore& core, int row, bool centre);
void SelectRoute(MapCore& core, int row, bool centre);
// A record chosen from a list (the list search, "what is here"): clears the
// selection, then selects the street, building or object, or shows the firm,
// of row `row` of its table.  The caller redraws and paints.
void SelectRecord(MapCore& core, SearchKind kind, int row, bool centre);
// A click (centre = false) or a double click (centre = true) on a route: the route of row
// `row` is selected, the picture redrawn and the window painted.
void SelectRouteRow(MapCore& core, int row, bool centre);
