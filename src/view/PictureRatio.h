#pragma once
// The map picture on a screen whose display scale makes a window pixel
// several device pixels (2 at 200%): the picture has the device's pixels
// with that ratio set, every size and place in it stays in window pixels.
struct MapCore;

// The picture made anew at `ratio` device pixels per window pixel (below 1,
// at 1) and redrawn, when it has another; false when it already had it.
// The window asks it before every paint, so that a move to a screen of
// another scale redraws the picture at that screen's pixels.
bool SetPictureRatio(MapCore& core, double ratio);
