#pragma once
// Holding Ctrl shows which labels name streets: they are drawn again on a
// yellow box over the picture, and back on their own box when Ctrl is let go.
struct MapCore;

// The virtual key code of Ctrl.
constexpr int kCtrlKey = 17;

// Key down / up anywhere in the map window.  Only Ctrl is handled (true);
// every other key is left to the focused control (false).  When the mode
// changes, the labels are drawn over the picture and the window is painted
// (MapHost::PaintMapWindow).
bool PressHighlightKey(MapCore& core, int key);
bool ReleaseHighlightKey(MapCore& core, int key);
