#pragma once
// Looks at a picture drawn at a device's pixels as a user would: is its
// detail finer than the view's pixels, and does it show what the view's
// pixels show.
#include <QImage>

#include <algorithm>
#include <cstdlib>

// The share of aligned `ratio` x `ratio` blocks whose pixels are not all of
// one colour: none in a picture drawn at the view's pixels and enlarged.
inline double ShareOfMixedBlocks(const QImage& picture, int ratio) {
  const QImage p = picture.convertToFormat(QImage::Format_RGB32);
  int blocks = 0, mixed = 0;
  for (int y = 0; y + ratio <= p.height(); y += ratio)
    for (int x = 0; x + ratio <= p.width(); x += ratio) {
      ++blocks;
      const QRgb first = p.pixel(x, y);
      bool same = true;
      for (int dy = 0; dy < ratio && same; ++dy)
        for (int dx = 0; dx < ratio && same; ++dx) same = p.pixel(x + dx, y + dy) == first;
      mixed += same ? 0 : 1;
    }
  return blocks ? static_cast<double>(mixed) / blocks : 0;
}

// The share of the view's pixels whose colour in `fine`, brought down to
// `view`'s size, is more than `tolerance` from `view`'s on some channel.
inline double ShareOfDifferentPixels(const QImage& fine, const QImage& view, int tolerance) {
  const QImage small = fine.scaled(view.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_RGB32);
  const QImage v = view.convertToFormat(QImage::Format_RGB32);
  int different = 0;
  for (int y = 0; y < v.height(); ++y)
    for (int x = 0; x < v.width(); ++x) {
      const QRgb a = small.pixel(x, y), b = v.pixel(x, y);
      const int off = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                std::abs(qBlue(a) - qBlue(b))});
      different += off > tolerance ? 1 : 0;
    }
  return static_cast<double>(different) / (v.width() * v.height());
}
