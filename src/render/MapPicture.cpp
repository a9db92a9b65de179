#include "render/MapPicture.h"

#include <cmath>
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

int DevicePixels(int length, double ratio) {
  // A length the ratio makes whole stays whole despite the rounding of the product.
  return static_cast<int>(std::ceil(length * ratio - 1e-6));
}

QImage NewMapPicture(int width, int height, double ratio) {
  if (ratio == 1.0) return NewMapPicture(width, height);
  QImage picture = NewMapPicture(DevicePixels(width, ratio), DevicePixels(height, ratio));
  picture.setDevicePixelRatio(ratio);
  return picture;
}

QRect ViewFrame(const QImage& picture) {
  const double ratio = picture.devicePixelRatio();
  if (ratio == 1.0) return picture.rect();
  // The device's pixels cover the view's, the last one perhaps partly: the
  // view's are those wholly covered.
  return QRect(0, 0, static_cast<int>(std::floor(picture.width() / ratio + 1e-6)),
               static_cast<int>(std::floor(picture.height() / ratio + 1e-6)));
}
