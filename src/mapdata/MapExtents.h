#pragma once
#include <cstdint>

#include "mapdata/PointList.h"

// Bounding box of everything loaded; zeroed before a load and only widened, so
// it always contains the origin.  Beside it, the box of the data alone: the
// origin is no part of a city far from it, and framing the city must not
// reach back to it.
struct MapExtents {
  int32_t MapMinX = 0;
  int32_t MapMinY = 0;
  int32_t MapMaxX = 0;
  int32_t MapMaxY = 0;
  PointBox Data{};       // the loaded records' own box, once HasData
  bool HasData = false;  // a record widened the extents since the reset

  void Reset() { *this = MapExtents{}; }
  PointBox Box() const { return {MapMinX, MapMinY, MapMaxX, MapMaxY}; }
  // The data's own box; the extents' box while nothing is loaded.
  PointBox DataBox() const { return HasData ? Data : Box(); }
};

// Strict comparisons: a bound moves only when the new value lies outside it.
inline void WidenMapExtents(MapExtents& e, int32_t minX, int32_t minY, int32_t maxX, int32_t maxY) {
  if (minX < e.MapMinX) e.MapMinX = minX;
  if (minY < e.MapMinY) e.MapMinY = minY;
  if (maxX > e.MapMaxX) e.MapMaxX = maxX;
  if (maxY > e.MapMaxY) e.MapMaxY = maxY;
  if (!e.HasData) {
    e.Data = {minX, minY, maxX, maxY};
    e.HasData = true;
    return;
  }
  if (minX < e.Data.MinX) e.Data.MinX = minX;
  if (minY < e.Data.MinY) e.Data.MinY = minY;
  if (maxX > e.Data.MaxX) e.Data.MaxX = maxX;
  if (maxY > e.Data.MaxY) e.Data.MaxY = maxY;
}
