#pragma once
#include <cstdint>
#include <string>

struct MapCore;

// The track bar: sets the position (clamped to 1..30); runs TrackBar1Change
// only when the position really changes.
void SetTrackBarPosition(MapCore& core, int position);
void TrackBar1Change(MapCore& core);
void Panel5Click(MapCore& core);
// Enter in ZoomEdit; false (nothing changed) when the text holds no digit.
bool ZoomEditEnter(MapCore& core, const std::string& text);
