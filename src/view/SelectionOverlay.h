#pragma once
// The selection overlays: the stored map points of every selection kind
// become picture pixels for the paint (PaintMapArea), at the start of every redraw.
struct MapCore;

// Refreshes the overlays' pixels and sizes the status bar panels to their texts.
void UpdateSelectionOverlay(MapCore& core);
