#pragma once
// How a selection moves the view.
#include <cstdint>

#include "info/SelectionState.h"

struct MapCore;

struct PixelSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

// ScreenWidth and ScreenHeight: streets, buildings and firms centre with these.
PixelSize ScreenSize(const MapCore& core);
// The map window's outer size: objects and routes centre with this.
PixelSize WindowOuterSize(const MapCore& core);

// The view centre becomes `point` (so a later zoom keeps it in the middle); when
// `move` is set, the scale becomes 4 if N8 is ticked and the offsets put the
// point `size` pixels into the picture.
void CentreOnSelection(MapCore& core, IntPoint point, bool move, PixelSize size);
