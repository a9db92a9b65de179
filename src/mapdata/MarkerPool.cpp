#include "mapdata/MarkerPool.h"

#include <cstring>
#include <string_view>

namespace {

std::string_view Pixels(const QImage& image) {
  return {reinterpret_cast<const char*>(image.constBits()), static_cast<size_t>(image.sizeInBytes())};
}

bool SamePicture(const QImage& a, const QImage& b) {
  return a.size() == b.size() && a.format() == b.format() && a.bytesPerLine() == b.bytesPerLine() &&
         Pixels(a) == Pixels(b);
}

}  // namespace

QImage MarkerPool::Share(const QImage& marker) {
  const uint64_t key = std::hash<std::string_view>{}(Pixels(marker));
  const auto [first, last] = byPixels_.equal_range(key);
  for (auto it = first; it != last; ++it)
    if (SamePicture(it->second, marker)) return it->second;
  byPixels_.emplace(key, marker);
  return marker;
}
