#pragma once
// Point lists: decimal integers separated by single spaces, read in pairs as x
// then y, and the bounding box of the pairs read.  The loaders, the drawing and
// the selection all read them here.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The most points a record may declare; the drawing and the selection keep
// point arrays of this size.
constexpr int kMaxPointsPerRecord = 150;

struct MapPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const MapPoint&) const = default;
};

struct PointBox {
  int32_t MinX = 0;
  int32_t MinY = 0;
  int32_t MaxX = 0;
  int32_t MaxY = 0;
  bool operator==(const PointBox&) const = default;
};

// Whether two boxes share a point, edges included.
inline bool BoxesMeet(const PointBox& a, const PointBox& b) {
  return a.MinX <= b.MaxX && a.MaxX >= b.MinX && a.MinY <= b.MaxY && a.MaxY >= b.MinY;
}

struct PointListResult {
  std::vector<MapPoint> Points;
  std::string Problem;  // UTF-8, empty when the list held `count` valid pairs
  bool Ok() const { return Problem.empty(); }
};

// The first `count` pairs of `text`, scanned with an accumulator: a space ends x;
// a space, CR or the end of the text ends y; the character right after a
// delimiter is taken into the next number without being tested.  Fails when a
// number is not a decimal integer or the text ends before `count` pairs; the
// pairs read before the problem are kept.
PointListResult ParsePointList(std::string_view text, int count);
// The same appending to `points`, for the tables converted for drawing: false
// (the pairs read before the problem appended) where ParsePointList fails.
bool AppendPointList(std::string_view text, int count, std::vector<MapPoint>& points);

// The first pair of a point list, when it has one.
std::optional<MapPoint> FirstPoint(std::string_view text);

// Per-coordinate minimum and maximum; the first point sets both.  No points: 0s.
PointBox BoxOf(std::span<const MapPoint> points);
