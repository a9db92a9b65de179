#include "render/MapPicture.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

#if defined(__linux__)
constexpr size_t kLargePage = size_t{2} << 20;
// Smaller pictures gain nothing from large pages.
constexpr size_t kWorthLargePages = 4 * kLargePage;

void FreePixels(void* pixels) { std::free(pixels); }

QImage InLargePages(int width, int height) {
  const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  if (bytes < kWorthLargePages) return {};
  const size_t whole = (bytes + kLargePage - 1) / kLargePage * kLargePage;
  void* pixels = std::aligned_alloc(kLargePage, whole);
  if (!pixels) return {};
  // Only a request: where large pages are off, the picture keeps small ones.
  madvise(pixels, whole, MADV_HUGEPAGE);
  return QImage(static_cast<uchar*>(pixels), width, height, width * 4, QImage::Format_RGB32, FreePixels, pixels);
}
#endif

}  // namespace

QImage NewMapPicture(int width, int height) {
#if defined(__linux__)
  if (width > 0 && height > 0 && width <= INT32_MAX / 4 / height) {
    QImage picture = InLargePages(width, height);
    if (!picture.isNull()) return picture;
  }
#endif
  return QImage(width, height, QImage::Format_RGB32);
}
