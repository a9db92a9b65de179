#pragma once
#include <cstdint>

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
// ListOfPath2Click / ListOfPath2DblClick (centre = true): the route of row
// `row` is selected, the picture redrawn and the window painted.
void RouteListClick(MapCore& core, int row, bool centre);
