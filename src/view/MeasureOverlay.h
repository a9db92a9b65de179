#pragma once
// The measured line over the window's map: the points joined by a red line
// in a white casing, while measuring a dashed stretch on to the mouse, and the
// length so far beside the last point.
#include <QRect>

#include <string>

class QPainter;
struct MapCore;

// "850 м" below a kilometre, else "1,23 км" (two decimals, a decimal comma).
std::string MeasuredLengthText(double metres);

// Draws what core.Measure holds (nothing when it holds no point).
void DrawMeasurement(QPainter& window, const MapCore& core);
