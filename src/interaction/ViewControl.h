#pragma once
#include <cstdint>
#include <string>

struct MapCore;

// The zoom controls.  Each change of scale keeps the map point in the middle
// of the visible map, hides the hover hint, redraws the picture and paints the
// window (view/ViewScale.h, where the track bar's own handlers are).
// The wheel, the keyboard, a double click and "Весь город" move the view
// through interaction/ViewMoves.h.
// Click on the zoom panel or its caption: the zoom slider follows the scale (trunc(2 × Scale)).
void SyncZoomSliderToScale(MapCore& core);
// Enter in ZoomEdit: its text read as a percentage (ZoomFieldPercent), kept
// within `floor` (50%, or lower for a city too big to show whole at it:
// ZoomFloor) and 1500%; the track bar moves to the scale's position, resting
// at its first step below its range.  False, with nothing changed, when the
// text is no percentage; the viewer then shows ZoomEditErrorMessage(text) and
// the scale in force again.  Text in Windows-1251.
bool ApplyTypedZoom(MapCore& core, const std::string& text, float floor);
// "«abc» — не число." for a ZoomEdit text without digits, "«-300» — масштаб
// должен быть больше нуля." for a negative one (Windows-1251 in, UTF-8 out).
std::string ZoomEditErrorMessage(const std::string& text);
