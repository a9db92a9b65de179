#pragma once
// The hover hint: shortly after the mouse moves over the map, the name and the
// address of the found firm or shown object under it are written beside it.
struct MapCore;

// One tick of HintTimer without the paint: clears the hint, looks for what lies
// under (MouseX, MouseY) — found firms first (while they are drawn), then shown
// objects (while objects are drawn, through the kind filter) — fills HintLine1,
// HintLine2 and HintVisible, and disables the timer.  Returns HintVisible: the
// caller paints the window when it is true.
bool BuildHoverHint(MapCore& core);
// The whole tick: BuildHoverHint, then the window is painted through the host
// when a hint was found or one shown before is gone.
void ShowHoverHint(MapCore& core);

// The mouse left the map (out of the window, or onto the tool bar or a side
// panel): a pending look is cancelled and the window is painted without a hint.
void HideHoverHint(MapCore& core);
