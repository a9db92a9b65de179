#pragma once
// How a selection reads a record's points and moves the view.
#include <cstdint>

#include "info/SelectionState.h"
#include "mapdata/LayerTable.h"

struct MapCore;

// The record's points as the selection keeps them: as many of the declared
// count (cell `count`, kept within 0..kMaxPointsPerRecord; not a number: 0) as
// the point list in cell `points` holds; returns how many were read.  A table
// without the row gives none.
int32_t ReadRecordPoints(const LayerTable& table, int row, int count, int points, PointArray& out);

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
void CentreOnSelection(MapCore& core, MapPoint point, bool move, PixelSize size);
