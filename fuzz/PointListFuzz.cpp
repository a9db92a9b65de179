// The point-list rule on any text: the first input byte gives the pair count
// asked for (-8 .. 247, beyond the 150 points a record may hold), the rest is
// the text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mapdata/PointList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int count = static_cast<int>(data[0]) - 8;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const PointListResult result = ParsePointList(text, count);
  // Success means exactly the pairs asked for; a failure says why.
  if (result.Ok() && count > 0 && result.Points.size() != static_cast<size_t>(count)) __builtin_trap();
  if (result.Points.size() > static_cast<size_t>(count > 0 ? count : 0)) __builtin_trap();
  const PointBox box = BoxOf(result.Points);
  for (const MapPoint& p : result.Points)
    if (p.X < box.MinX || p.X > box.MaxX || p.Y < box.MinY || p.Y > box.MaxY) __builtin_trap();
  return 0;
}
