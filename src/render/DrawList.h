#pragma once
#include <cstdint>

struct MapCore;

// Rebuilds DrawListView: every row whose box meets the rectangle, in drawing order.
void BuildDrawList(MapCore& core, int32_t left, int32_t top, int32_t right, int32_t bottom);
