#pragma once
// What lies under a window pixel: the map click and the hover hint look for a
// found firm or a shown object whose point is within 10 picture pixels in each
// direction (a 21 x 21 square, edges included, covering its 20 x 20 icon).
#include <cstdint>
#include <optional>

#include "render/ViewTransform.h"

struct MapCore;

// A window pixel becomes a HitPoint through WindowToHit (ViewTransform.h).

// Whether map point (x, y) is under `at` at the given scale.
bool IsUnder(HitPoint at, int32_t x, int32_t y, float scale);

// The first found firm (in the order of ListView2) under `at`: its row in
// ListOfFirms.  Rows whose caption names no firm are passed over.
std::optional<int> FoundFirmAt(const MapCore& core, HitPoint at);
// The first object of DrawListView under `at` that the kind filter lets
// through: its row in ListOfObjects.
std::optional<int> ShownObjectAt(const MapCore& core, HitPoint at);
