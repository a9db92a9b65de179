#pragma once
struct MapCore;

// Sizes the map picture to 2 x ScreenWidth by 2 x ScreenHeight.
void SizeMapPicture(MapCore& core);
// Refreshes the overlays, hides a hover hint found in another view, clears the
// map picture and draws every listed row whose layer is on, then the found firms.
void RedrawView(MapCore& core);
