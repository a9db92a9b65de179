#pragma once
#include <QImage>
#include <QRect>

class Canvas;
class QPainter;
struct MapCore;

// The selection highlights drawn on `canvas`, as on the map picture.
void DrawHighlightsOn(MapCore& core, Canvas& canvas);
// Draws the selection highlights onto the map picture, copies the visible part
// to the window at (0, 0) and writes the hover hint.
void PaintMapArea(MapCore& core, QPainter& window);

// The part `visible` of the window (window pixels) as the window shows it,
// selection highlights included, without the hover hint: the picture a saved
// or printed map shows.
QImage VisibleMapPicture(MapCore& core, const QRect& visible);
