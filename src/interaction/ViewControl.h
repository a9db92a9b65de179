#pragma once
#include <cstdint>
#include <string>

struct MapCore;

// The zoom controls.  Each change of scale recentres the view on
// (CenterX, CenterY), hides the hover hint, redraws the picture and paints the
// window (render/ViewScale.h, where the track bar's own handlers are).
// Click on Panel5 or Label3: the track bar follows the scale (trunc(2 × Scale)).
void Panel5Click(MapCore& core);
// Enter in ZoomEdit: its digits, in order, read as a percentage, kept within
// 50%..1500%.  False, with nothing changed, when the text holds no digit; the
// viewer then shows ZoomEditErrorMessage(text).  Text in Windows-1251.
bool ZoomEditEnter(MapCore& core, const std::string& text);
// "«abc» — не число." for a ZoomEdit text without digits (Windows-1251 in, UTF-8 out).
std::string ZoomEditErrorMessage(const std::string& text);

// Mouse wheel over the map at window pixel (x, y): `steps` track bar steps
// (0.5 each) in (positive) or out (negative) around the map point under the
// mouse, which stays under it.  The scale stays within 0.5..15 and on the
// track bar's grid; the track bar position follows (without its change
// handler), then the picture is redrawn and the window painted.  Ignored
// during a drag.  False when nothing changed.
bool WheelZoom(MapCore& core, int steps, int32_t x, int32_t y);
