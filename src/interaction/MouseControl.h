#pragma once
// Dragging the map with the mouse.  A press in mode "Normal" starts a drag
// (the left button selects first); moves shift the visible part of the picture
// without redrawing; the release takes the new centre and redraws.  The
// handlers say what the window must do next; ApplyViewUpdate does it.
#include <cstdint>

struct MapCore;

enum class MouseButton { Left, Right, Middle };

enum class ViewUpdate {
  None,            // nothing to show
  Paint,           // paint the window (PaintMapArea) at once
  RedrawAndPaint,  // RedrawView, then paint at once
};

ViewUpdate PressOnMap(MapCore& core, MouseButton button, int32_t x, int32_t y);
ViewUpdate MoveOnMap(MapCore& core, int32_t x, int32_t y);
// The view follows the mouse during a drag: offsets and drag shift from the
// anchors; the hover hint is hidden and its timer stopped.
void DragMove(MapCore& core, int32_t x, int32_t y);
ViewUpdate ReleaseOnMap(MapCore& core, MouseButton button, int32_t x, int32_t y);

// A double click zooms in one track bar step around the point under the mouse
// (ViewMoves.h), with the left button only.  Its first click has selected as
// every click does, and its second press has begun a drag, which ends here as
// a release at that point would.  Ignored while Ctrl is held.  True when the
// double click was the map's.
bool DoubleClickOnMap(MapCore& core, MouseButton button, int32_t x, int32_t y);

// Runs RedrawView when asked, then MapHost::PaintMapWindow.
void ApplyViewUpdate(MapCore& core, ViewUpdate update);
