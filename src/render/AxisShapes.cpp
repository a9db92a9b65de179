#include "render/AxisShapes.h"

#include <algorithm>
#include <cstdint>

namespace {

bool AlongAxis(const QPoint& a, const QPoint& b) { return a.x() == b.x() || a.y() == b.y(); }

// Half the width, in pixels, of a round end of a pen `width` wide on the row
// (or column) whose centre lies offset2 / 2 pixels from the end's centre: the
// pixels p - 1 - h to p + h around the end's point p, where h < 0 means no
// pixel.  A pixel's centre lies u / 2 away along the row, u odd, and is inside
// while u^2 + offset2^2 < width^2.
int64_t RoundEndHalf(int64_t offset2, int64_t width) {
  const int64_t room = width * width - offset2 * offset2;
  int64_t u = -1;  // the largest odd u with u^2 < room
  while ((u + 2) * (u + 2) < room) u += 2;
  return (u - 1) / 2;
}

int64_t HalfDown(int64_t v) { return v >= 0 ? v / 2 : -((1 - v) / 2); }

// One edge along an axis, from `from` to `to` (from < to) at `at` on the
// other axis: the pixels of each line across it, merged into bands where
// they span the same, handed to add(along0, along1, across0, across1), every
// range inclusive.
template <typename Add>
void EdgeBands(int64_t from, int64_t to, int64_t at, int64_t width, Add add) {
  // The lines across whose centres lie within width / 2 of `at`, the far side
  // included: 2 at - width < 2 c + 1 <= 2 at + width.
  const int64_t first = HalfDown(2 * at - width - 1) + 1;
  const int64_t last = HalfDown(2 * at + width - 1);
  int64_t bandStart = first, bandFrom = 0, bandTo = 0;
  for (int64_t c = first; c <= last; ++c) {
    // The body covers from to to - 1; a round end, where it reaches this
    // line, the pixels around its point.
    const int64_t h = RoundEndHalf(2 * (c - at) + 1, width);
    const int64_t lo = h < 0 ? from : from - 1 - h;
    const int64_t hi = h < 0 ? to - 1 : to + h;
    if (c > first && (lo != bandFrom || hi != bandTo)) {
      add(bandFrom, bandTo, bandStart, c - 1);
      bandStart = c;
    }
    bandFrom = lo;
    bandTo = hi;
  }
  add(bandFrom, bandTo, bandStart, last);
}

}  // namespace

std::optional<QRect> AxisRectangle(const QPoint* points, int count) {
  if (count == 5 && points[4] == points[0]) count = 4;
  if (count != 4) return std::nullopt;
  // Opposite corners that differ in both coordinates, and the other two
  // corners between them, in either order.
  const QPoint& a = points[0];
  const QPoint& c = points[2];
  if (a.x() == c.x() || a.y() == c.y()) return std::nullopt;
  const QPoint one(a.x(), c.y()), other(c.x(), a.y());
  if (!((points[1] == one && points[3] == other) || (points[1] == other && points[3] == one))) return std::nullopt;
  return QRect(QPoint(std::min(a.x(), c.x()), std::min(a.y(), c.y())),
               QPoint(std::max(a.x(), c.x()), std::max(a.y(), c.y())));
}

bool AxisWideLineRects(const QPoint* points, int count, int width, PixelRects& out) {
  if (count < 2 || width < 2 || width > kWidestAxisPen) return false;
  bool moves = false;
  for (int i = 1; i < count; ++i) {
    if (!AlongAxis(points[i - 1], points[i])) return false;
    moves = moves || points[i] != points[0];
  }
  if (!moves) return false;
  auto rect = [](int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
    return QRect(QPoint(static_cast<int>(x0), static_cast<int>(y0)), QPoint(static_cast<int>(x1), static_cast<int>(y1)));
  };
  for (int i = 1; i < count; ++i) {
    const QPoint& a = points[i - 1];
    const QPoint& b = points[i];
    if (a == b) continue;
    if (a.y() == b.y())
      EdgeBands(std::min(a.x(), b.x()), std::max(a.x(), b.x()), a.y(), width,
                [&](int64_t x0, int64_t x1, int64_t y0, int64_t y1) { out.append(rect(x0, x1, y0, y1)); });
    else
      EdgeBands(std::min(a.y(), b.y()), std::max(a.y(), b.y()), a.x(), width,
                [&](int64_t y0, int64_t y1, int64_t x0, int64_t x1) { out.append(rect(x0, x1, y0, y1)); });
  }
  return true;
}
