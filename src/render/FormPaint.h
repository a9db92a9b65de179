#pragma once
class QPainter;
struct MapCore;

// Draws the selection highlights onto the map picture, copies the visible part
// to the window at (0, 0) and writes the hover hint.
void FormPaint(MapCore& core, QPainter& window);
