#pragma once
// How a selection reads a record's points and moves the view.
#include <cstdint>

#include "mapdata/LayerTable.h"
#include "state/SelectionState.h"

struct MapCore;

// The record's points as the selection keeps them: as many of the declared
// count (cell `count`, kept within 0..kMaxPointsPerRecord; not a number: 0) as
// the point list in cell `points` holds; returns how many were read.  A table
// without the row gives none.
int32_t ReadRecordPoints(const LayerTable& table, int row, int count, int points, PointArray& out);

// The view centre becomes `point` (so a later zoom keeps it in the middle); when
// `move` is set, the scale becomes 4 if "Зумировать при выделении" is ticked, the offsets bring the
// point to the middle of the visible map (the host's) and the view centre is
// the map point in the middle of the picture again, as after every move.
void CentreOnSelection(MapCore& core, MapPoint point, bool move);
