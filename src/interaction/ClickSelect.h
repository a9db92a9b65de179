#pragma once
#include <cstdint>

struct MapCore;

// The map click at window pixel (x, y): a found firm under the mouse (while
// found firms are drawn) is selected and its information shown; else an object
// under it (while objects are drawn and ClickSelect is on) is selected.
void SelectAtPoint(MapCore& core, int32_t x, int32_t y, bool centre);
