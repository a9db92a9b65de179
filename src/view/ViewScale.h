#pragma once
// Changing the scale of the view.  The zoom controls keep the map point in
// the middle of the visible map where it is; the city load recentres on
// (CenterX, CenterY).  Either way the hover hint is hidden, the picture
// redrawn and the window painted (MapHost::PaintMapWindow).
#include <string>

#include "mapdata/PointList.h"

struct MapCore;

// The scale becomes `scale`, then recentre, redraw, paint.
void SetViewScale(MapCore& core, float scale);
// The scale becomes `scale` around the middle of the visible map
// (MapHost::VisibleMapRect), then redraw and paint.
void ZoomInVisibleMiddle(MapCore& core, float scale);

// The track bar: sets the position (clamped to 1..30) and, only when the
// position really changes, the scale of half of it around the middle of the
// visible map.
void SetTrackBarPosition(MapCore& core, int position);
// Scale = half the track bar position, then recentre, redraw, paint.
void ApplyZoomSliderPosition(MapCore& core);

// The zoom controls show the scale in force: ZoomEdit its percentage
// (ZoomFieldText), the track bar its step (at its first step below its
// range).  Every redraw runs it, whatever changed the scale.
void ShowScaleInZoomControls(MapCore& core);
// The scale as ZoomEdit shows it: a percentage to one decimal, written with
// a decimal comma and without a decimal of 0 ("100%", "100,5%", "12,3%").
std::string ZoomFieldText(float scale);

// The track bar's range.
constexpr int kTrackBarMin = 1;
constexpr int kTrackBarMax = 30;

// The scale of the track bar's first step, the lowest the zoom controls go
// for a city that shows whole at it.
constexpr float kTrackBarMinScale = 0.5f;
// Below it, for a city too big for it, no lower than this (a box of 2^32 map
// units still spans a few pixels).
constexpr float kSmallestScale = 1.0e-6f;

// Whether `box` shows whole in width x height pixels at `scale`, both its
// edges included: a length of n units spans n x scale + 1 pixels.
bool BoxFitsAt(const PointBox& box, float scale, int width, int height);

// The largest scale at which `box` fits whole into width x height pixels; at
// least kSmallestScale, and a box of one point fits at any.
float WholeBoxScale(const PointBox& box, int width, int height);

// The lowest scale the zoom controls reach on a map of width x height pixels:
// kTrackBarMinScale, or for a city (its own box) too big to show whole there,
// the scale that shows it whole.
float ZoomFloor(const PointBox& city, int width, int height);

// The scale `steps` zoom steps in (positive) or out from `scale`: the track
// bar's steps of 0.5 down to kTrackBarMinScale, below it halvings (0.25,
// 0.125, ...) and never below `floor`.  From a scale between two steps the
// first step lands on the neighbouring one; a scale already at or below the
// floor goes no further out.
float StepScale(float scale, int steps, float floor);
