#pragma once
#include <QRect>

class QPainter;
struct MapCore;

// Draws the part `visible` of the window (window pixels) as the window shows
// it, selection highlights included, without the hover hint, through
// `painter`, whose transform places the window pixel visible.topLeft() and
// sets the size: the map drawn again for the device (a printer, a PDF file),
// its lines and text at the device's resolution rather than the screen's
// pixels enlarged.  The window's own picture, view and hint stay as they were.
void DrawVisibleMap(MapCore& core, QPainter& painter, const QRect& visible);
