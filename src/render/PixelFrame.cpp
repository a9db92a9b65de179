#include "render/PixelFrame.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <vector>

bool InsideFrame(const PicturePixel& p) {
  return p.X >= -kPixelFrame && p.X <= kPixelFrame && p.Y >= -kPixelFrame && p.Y <= kPixelFrame;
}

namespace {

// Room for a row's points (at most 150, a few more once cut) off the heap.
using PointBuffer = QVarLengthArray<QPoint, 320>;

struct Exact {
  long double X = 0, Y = 0;
};

Exact ExactOf(const PicturePixel& p) { return {static_cast<long double>(p.X), static_cast<long double>(p.Y)}; }

QPoint Rounded(const Exact& p) { return QPoint(static_cast<int>(std::llround(p.X)), static_cast<int>(std::llround(p.Y))); }

QPoint Unchanged(const PicturePixel& p) { return QPoint(static_cast<int>(p.X), static_cast<int>(p.Y)); }

// Points wholly inside the frame go to the painter as they are.
bool DrawnUnchanged(const PicturePixel* points, int count, const DrawPoints& draw) {
  if (!std::all_of(points, points + count, [](const PicturePixel& p) { return InsideFrame(p); })) return false;
  PointBuffer unchanged;
  for (int i = 0; i < count; ++i) unchanged.append(Unchanged(points[i]));
  draw(unchanged.data(), static_cast<int>(unchanged.size()));
  return true;
}

// Liang-Barsky: the part of the segment a-b inside the frame, as the parameters
// t0 <= t1 along it; false when no part is inside.
bool ClipSegment(const Exact& a, const Exact& b, long double& t0, long double& t1) {
  const long double frame = kPixelFrame;
  const long double dx = b.X - a.X, dy = b.Y - a.Y;
  const long double p[4] = {-dx, dx, -dy, dy};
  const long double q[4] = {a.X + frame, frame - a.X, a.Y + frame, frame - a.Y};
  t0 = 0;
  t1 = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const long double r = q[i] / p[i];
    if (p[i] < 0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
  }
  return true;
}

Exact Along(const Exact& a, const Exact& b, long double t) { return {a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t}; }

// One side of the frame for Sutherland-Hodgman: the inside test and the crossing.
struct FrameSide {
  bool vertical;  // x = limit, else y = limit
  long double limit;
  bool keepBelow;  // inside is coordinate <= limit

  long double Of(const Exact& p) const { return vertical ? p.X : p.Y; }
  bool Inside(const Exact& p) const { return keepBelow ? Of(p) <= limit : Of(p) >= limit; }
  Exact Crossing(const Exact& a, const Exact& b) const { return Along(a, b, (limit - Of(a)) / (Of(b) - Of(a))); }
};

void ClipToSide(const std::vector<Exact>& in, const FrameSide& side, std::vector<Exact>& out) {
  out.clear();
  for (size_t i = 0; i < in.size(); ++i) {
    const Exact& cur = in[i];
    const Exact& prev = in[(i + in.size() - 1) % in.size()];
    const bool curIn = side.Inside(cur), prevIn = side.Inside(prev);
    if (curIn != prevIn) out.push_back(side.Crossing(prev, cur));
    if (curIn) out.push_back(cur);
  }
}

}  // namespace

void FramePolyline(const PicturePixel* points, int count, const DrawPoints& drawRun) {
  if (DrawnUnchanged(points, count, drawRun)) return;
  PointBuffer run;
  const auto flush = [&] {
    if (run.size() >= 2) drawRun(run.data(), static_cast<int>(run.size()));
    run.clear();
  };
  for (int i = 0; i + 1 < count; ++i) {
    const Exact a = ExactOf(points[i]), b = ExactOf(points[i + 1]);
    long double t0 = 0, t1 = 1;
    if (!ClipSegment(a, b, t0, t1)) {
      flush();
      continue;
    }
    // A run goes on only through an end that lies inside the frame.
    if (t0 > 0 || run.isEmpty()) {
      flush();
      run.append(t0 > 0 ? Rounded(Along(a, b, t0)) : Unchanged(points[i]));
    }
    run.append(t1 < 1 ? Rounded(Along(a, b, t1)) : Unchanged(points[i + 1]));
    if (t1 < 1) flush();
  }
  flush();
}

void FramePolygon(const PicturePixel* points, int count, const DrawPoints& draw) {
  if (DrawnUnchanged(points, count, draw)) return;
  std::vector<Exact> polygon, cut;
  for (int i = 0; i < count; ++i) polygon.push_back(ExactOf(points[i]));
  const long double frame = kPixelFrame;
  for (const FrameSide& side : {FrameSide{true, frame, true}, FrameSide{true, -frame, false},
                                FrameSide{false, frame, true}, FrameSide{false, -frame, false}}) {
    ClipToSide(polygon, side, cut);
    polygon.swap(cut);
    if (polygon.empty()) return;
  }
  PointBuffer out;
  for (const Exact& p : polygon) out.append(Rounded(p));
  draw(out.data(), static_cast<int>(out.size()));
}
