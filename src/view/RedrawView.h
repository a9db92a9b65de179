#pragma once
#include "render/LayerDrawers.h"

struct MapCore;

// Sizes the map picture to 2 x ScreenWidth by 2 x ScreenHeight.
void SizeMapPicture(MapCore& core);
// Shows the scale in the zoom controls, refreshes the overlays, hides a stale hover hint,
// clears the map picture and draws every listed row whose layer is on, then the found firms.
// Rows that cannot reach the picture are passed over: each layer's spatial
// index finds the others, and they are drawn in the order of the draw list.
void RedrawView(MapCore& core);
// The same drawing on `canvas`, whose frame stands for the map picture (a
// printed page's), leaving the window's picture and hint alone.
void DrawMapOn(MapCore& core, Canvas& canvas);
// The same handing every listed row to its drawer, as a draw list out of the
// layers' order is drawn: the picture RedrawView must give.
void RedrawEveryListedRow(MapCore& core);
// What the drawers draw with, on `canvas` over the map window's state.
MapDrawing DrawingOf(MapCore& core, Canvas& canvas);
