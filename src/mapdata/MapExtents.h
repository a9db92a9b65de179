#pragma once
#include <cstdint>

#include "mapdata/PointList.h"

// Bounding box of everything loaded; zeroed before a load and only widened, so
// it always contains the origin.
struct MapExtents {
  int32_t MapMinX = 0;
  int32_t MapMinY = 0;
  int32_t MapMaxX = 0;
  int32_t MapMaxY = 0;

  void Reset() { *this = MapExtents{}; }
  PointBox Box() const { return {MapMinX, MapMinY, MapMaxX, MapMaxY}; }
};

// Strict comparisons: a bound moves only when the new value lies outside it.
inline void WidenMapExtents(MapExtents& e, int32_t minX, int32_t minY, int32_t maxX, int32_t maxY) {
  if (minX < e.MapMinX) e.MapMinX = minX;
  if (minY < e.MapMinY) e.MapMinY = minY;
  if (maxX > e.MapMaxX) e.MapMaxX = maxX;
  if (maxY > e.MapMaxY) e.MapMaxY = maxY;
}
