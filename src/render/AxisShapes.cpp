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

// The pixels from a to b, both included, of an edge along a row or a column.
QRect EdgeRect(const QPoint& a, const QPoint& b) {
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// A column edge of a polygon: it crosses the centres of rows From to To - 1.
struct ColumnEdge {
  int X, From, To;
};

// The pixels whose centres lie inside the polygon by the odd-even rule, as one
// rectangle per span of each band of rows between the ends of column edges.
void OddEvenFill(const QPoint* points, int count, PixelRects& fill) {
  QVarLengthArray<ColumnEdge, 32> edges;
  QVarLengthArray<int, 64> ys;
  for (int i = 0; i < count; ++i) {
    const QPoint& a = points[i];
    const QPoint& b = points[(i + 1) % count];
    if (a.x() != b.x()) continue;
    edges.append({a.x(), std::min(a.y(), b.y()), std::max(a.y(), b.y())});
    ys.append(a.y());
    ys.append(b.y());
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  QVarLengthArray<int, 32> xs;
  for (qsizetype k = 0; k + 1 < ys.size(); ++k) {
    const int top = ys[k], bottom = ys[k + 1];
    xs.clear();
    for (const ColumnEdge& e : edges)
      if (e.From <= top && e.To >= bottom) xs.append(e.X);
    std::sort(xs.begin(), xs.end());
    for (qsizetype j = 0; j + 1 < xs.size(); j += 2)
      if (xs[j + 1] > xs[j]) fill.append(QRect(xs[j], top, xs[j + 1] - xs[j], bottom - top));
  }
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

bool AxisOutlineRects(const QPoint* points, int count, PixelRects& fill, PixelRects& outline) {
  if (count > 4 && points[count - 1] == points[0]) --count;
  if (count < 4 || count % 2 != 0) return false;
  // Edges along rows and columns by turns, none empty.
  const bool rowFirst = points[0].y() == points[1].y();
  for (int i = 0; i < count; ++i) {
    const QPoint& a = points[i];
    const QPoint& b = points[(i + 1) % count];
    const bool alongRow = (i % 2 == 0) == rowFirst;
    if (a == b || (alongRow ? a.y() != b.y() : a.x() != b.x())) return false;
  }
  OddEvenFill(points, count, fill);
  for (int i = 0; i < count; ++i) outline.append(EdgeRect(points[i], points[(i + 1) % count]));
  return true;
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

bool AxisThinLineRects(const QPoint* points, int count, const QRect& picture, PixelRects& out) {
  if (count < 2) return false;
  for (int i = 0; i < count; ++i) {
    if (!picture.contains(points[i])) return false;
    if (i > 0 && (!AlongAxis(points[i - 1], points[i]) || (points[i] - points[i - 1]).manhattanLength() < 2))
      return false;
  }
  for (int i = 1; i < count; ++i) out.append(EdgeRect(points[i - 1], points[i]));
  return true;
}
