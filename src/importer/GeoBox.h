#pragma once
// An axis-parallel box of longitude and latitude in the data's fixed-point
// degrees (1e-7), edges included.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "importer/Features.h"

struct GeoBox {
  int32_t MinX = std::numeric_limits<int32_t>::max();
  int32_t MinY = std::numeric_limits<int32_t>::max();
  int32_t MaxX = std::numeric_limits<int32_t>::min();
  int32_t MaxY = std::numeric_limits<int32_t>::min();

  bool Empty() const { return MinX > MaxX; }
  bool Contains(GeoPoint p) const { return p.X >= MinX && p.X <= MaxX && p.Y >= MinY && p.Y <= MaxY; }
  bool Overlaps(const GeoBox& o) const { return o.MinX <= MaxX && o.MaxX >= MinX && o.MinY <= MaxY && o.MaxY >= MinY; }
  void Add(GeoPoint p) {
    MinX = std::min(MinX, p.X);
    MinY = std::min(MinY, p.Y);
    MaxX = std::max(MaxX, p.X);
    MaxY = std::max(MaxY, p.Y);
  }
  void Add(const std::vector<GeoPoint>& points) {
    for (const GeoPoint& p : points) Add(p);
  }
};
