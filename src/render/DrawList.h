#pragma once
#include <cstdint>

#include "mapdata/CityTables.h"
#include "render/ViewState.h"

// Rebuilds DrawListView: every row whose box meets the rectangle, in drawing
// order; thin streets only from the view's scale 1.
void BuildDrawList(CityTables& tables, const ViewState& view, int32_t left, int32_t top, int32_t right,
                   int32_t bottom);
