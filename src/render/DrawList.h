#pragma once
#include <cstdint>

#include "mapdata/CityTables.h"
#include "mapdata/PointList.h"
#include "render/ViewState.h"

// Rebuilds DrawListView: every row whose box meets `area` (edges included), in
// drawing order, as each layer lists its rows at the view's scale (MapLayers.h).
void BuildDrawList(CityTables& tables, const ViewState& view, const PointBox& area);
