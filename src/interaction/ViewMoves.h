#pragma once
// Moves of the view that the keyboard, the mouse, the menu and tellurin-cli
// share: a pan by a part of the visible map, a zoom by track bar steps around
// a window pixel, and the whole city fitted into the visible map.  Each ends
// like the zoom controls: the track bar position follows the scale (without
// its change handler), the centre is the map point in the middle of the
// picture again, the picture is redrawn (ZoomEdit and the selection overlays
// with it) and the window painted.  None of them acts during a drag.
//
// `visible` is the part of the window that shows the map, in window pixels:
// the map area less the tool bar and the side panels that are shown.
#include <QRect>

#include <cstdint>

#include "mapdata/PointList.h"
#include "render/ViewTransform.h"
#include "render/VisibleMiddle.h"

struct MapCore;

// Moves the view by fractionX of the visible map's width and fractionY of its
// height (truncated to whole pixels): positive to the right and down, so that
// the map slides the other way.  False when nothing moved.
bool PanView(MapCore& core, const QRect& visible, double fractionX, double fractionY);

// `steps` zoom steps in (positive) or out (negative) around the map point
// under window pixel (x, y), which stays under it: track bar steps (0.5 each)
// and, for a city too big for the first one, halvings below it down to
// `floor` (ZoomFloor; StepScale tells the grid).  False when nothing changed.
bool ZoomAroundPoint(MapCore& core, int steps, int32_t x, int32_t y, float floor);

// The lowest scale the zoom controls reach over the visible map: 0.5, or the
// scale that shows the loaded city whole there when it is too big for 0.5.
float ZoomFloor(const MapCore& core, const QRect& visible);

// The visible map changed from `before` to `after` (the window took a new
// size): the map point in the middle of the one comes to the middle of the
// other, at the present scale.  False when nothing moved, either is empty, or
// during a drag.
bool KeepVisibleMiddle(MapCore& core, const QRect& before, const QRect& after);

// The map point under picture point `at` (map units x scale) comes to the
// middle of the visible map, at the present scale ("Центрировать здесь").
bool CentrePicturePoint(MapCore& core, const QRect& visible, HitPoint at);

// Map point (x, y) in the middle of the picture (the keep-centre recentring)
// at `scale`, which the caller keeps within the zoom controls' range; the
// track bar shows trunc(2 x scale).  False during a drag.
bool ShowViewAt(MapCore& core, int32_t x, int32_t y, float scale);

// The largest track bar position (1..30) at which a box of map units fits
// whole into width x height pixels, both its edges included; 1 when none does.
int WholeBoxTrackBarPosition(const PointBox& box, int width, int height);

// "Весь город": the city's own box (its data, not the origin the map extents
// keep), whole and in the middle of the visible map, at the largest track bar
// step that shows it whole; a city too big for the first step at the zoom
// floor, the track bar at its first step.  False, with nothing changed, during a drag
// or when no part of the window shows the map.
bool ShowWholeCity(MapCore& core, const QRect& visible);
