#pragma once
// What lies under a window pixel.  The map click and the hover hint look for a
// found firm or a shown object whose point is within 10 picture pixels in each
// direction (a 21 x 21 square, edges included, covering its 20 x 20 icon).
// "What is here" asks every layer that can be hit (MapLayer::Hit) for its rows
// under the point, each by its own shape.
#include <cstdint>
#include <optional>
#include <vector>

#include "mapdata/PointList.h"
#include "render/ViewTransform.h"

struct MapCore;
struct MapLayer;

// A window pixel becomes a HitPoint through WindowToHit (ViewTransform.h).

// Whether map point (x, y) is under `at` at the given scale.
bool IsUnder(HitPoint at, int32_t x, int32_t y, float scale);

// The first found firm (in the order of FoundFirms) under `at`: its row in
// ListOfFirms.  Rows whose caption names no firm are passed over.
std::optional<int> FoundFirmAt(const MapCore& core, HitPoint at);
// The first object of DrawListView under `at` that the kind filter lets
// through: its row in ListOfObjects.
std::optional<int> ShownObjectAt(const MapCore& core, HitPoint at);
// Whether the object-kind filter lets row `row` of ListOfObjects be drawn.
bool ObjectPassesFilter(const MapCore& core, int row);

// The map-unit box within which a row of `layer` must lie to be under `at`
// at the view's scale.
PointBox HitReach(MapCore& core, const MapLayer& layer, HitPoint at);
// The rows of `layer` that the drawing can draw and whose box (of the points
// it draws) meets `box`, edges included, in table order, found through the
// layer's spatial index (RowsMeeting).  Every look for rows near a place goes
// through here.
std::vector<int> LayerRowsMeeting(MapCore& core, const MapLayer& layer, const PointBox& box);
// Whether row `row` of `layer` lies under `at` at the view's scale, by the
// layer's hit shape: an icon within 10 pixels; a line within 3 pixels of its
// drawn edge; an area (odd-even, as it is filled) or within a pixel of its outline.
bool RowUnder(MapCore& core, const MapLayer& layer, int row, HitPoint at);
