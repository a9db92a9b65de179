#pragma once
#include <cstdint>

struct MapCore;

void ResetSelection(MapCore& core);
void SelectStreet(MapCore& core, int row, bool centre);
void SelectBuilding(MapCore& core, int row, bool centre);
void SelectObject(MapCore& core, int row, bool centre);
// Selects a firm, fills the information panel, redraws and paints.
void ShowObjectInfo(MapCore& core, int row, bool centre);
void SelectRoute(MapCore& core, int row, bool centre);
// ListOfPath2Click / ListOfPath2DblClick (centre = true): the route of row
// `row` is selected, the picture redrawn and the window painted.
void RouteListClick(MapCore& core, int row, bool centre);
