#pragma once
#include <cstdint>

struct MapCore;

// The map click at window pixel (x, y): a found firm under the mouse (while
// found firms are drawn) is selected and its information shown; else an object
// under it (while objects are drawn and ClickSelect is on) is selected.  True
// when something was.
bool SelectAtPoint(MapCore& core, int32_t x, int32_t y, bool centre);

// A left click (released where it was pressed) that selected no firm or
// object: the building (where buildings are drawn) or else the street under
// window pixel (x, y) is selected as a list search result is, the view staying
// where it is; on bare ground the selection is cleared.  The caller redraws.
void SelectGroundAtPoint(MapCore& core, int32_t x, int32_t y);
