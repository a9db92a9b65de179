#pragma once
// A picture pixel exact for any map point at any scale: map coordinates fill 32
// bits, so their scaled values need more.
#include <cstdint>

struct PicturePixel {
  int64_t X = 0;
  int64_t Y = 0;
  friend bool operator==(const PicturePixel&, const PicturePixel&) = default;
};
