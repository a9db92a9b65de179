#include "mapdata/PointList.h"

#include "mapdata/DecimalText.h"
#include "mapdata/ProblemText.h"

namespace {

constexpr char kSpace = ' ';
constexpr char kCr = '\r';

bool TakeNumber(std::string_view accumulated, int32_t& value, std::string* problem) {
  if (ParseDecimalInt(accumulated, value)) return true;
  if (problem)
    *problem = "координата " + QuotedValue(accumulated) + " в списке точек не является целым числом";
  return false;
}

// The scan of ParsePointList, appending the pairs to `points`; the problem is
// written only when asked for.
bool ScanPointList(std::string_view text, int count, std::vector<MapPoint>& points, std::string* problem) {
  if (count <= 0) return true;
  int read = 0;
  size_t accStart = 0;  // the accumulator is text[accStart, pos)
  bool expectX = true;
  int32_t x = 0;
  size_t pos = 0;
  const size_t end = text.size();
  while (true) {
    if (pos < end && text[pos] == kSpace && expectX) {
      if (!TakeNumber(text.substr(accStart, pos - accStart), x, problem)) return false;
      expectX = false;
      ++pos;
      accStart = pos;
    } else if (!expectX && (pos >= end || text[pos] == kSpace || text[pos] == kCr)) {
      int32_t y = 0;
      if (!TakeNumber(text.substr(accStart, pos - accStart), y, problem)) return false;
      points.push_back({x, y});
      if (++read == count) return true;
      expectX = true;
      ++pos;
      accStart = pos;
    }
    // The character now at the position joins the accumulator untested.
    if (pos >= end) {
      // A number that the end of the text cuts off is judged like any other.
      int32_t last = 0;
      if (pos > accStart && !TakeNumber(text.substr(accStart, pos - accStart), last, problem)) return false;
      if (problem)
        *problem = "в списке точек меньше пар, чем указано: " + std::to_string(read) + " из " + std::to_string(count);
      return false;
    }
    ++pos;
  }
}

}  // namespace

PointListResult ParsePointList(std::string_view text, int count) {
  PointListResult result;
  if (count > 0) result.Points.reserve(static_cast<size_t>(count < kMaxPointsPerRecord ? count : kMaxPointsPerRecord));
  ScanPointList(text, count, result.Points, &result.Problem);
  return result;
}

bool AppendPointList(std::string_view text, int count, std::vector<MapPoint>& points) {
  return ScanPointList(text, count, points, nullptr);
}

std::optional<MapPoint> FirstPoint(std::string_view text) {
  PointListResult first = ParsePointList(text, 1);
  if (!first.Ok()) return std::nullopt;
  return first.Points.front();
}

PointBox BoxOf(std::span<const MapPoint> points) {
  PointBox box;
  for (size_t i = 0; i < points.size(); ++i) {
    const MapPoint& p = points[i];
    if (i == 0) {
      box = {p.X, p.Y, p.X, p.Y};
      continue;
    }
    if (p.X < box.MinX) box.MinX = p.X;
    if (p.Y < box.MinY) box.MinY = p.Y;
    if (p.X > box.MaxX) box.MaxX = p.X;
    if (p.Y > box.MaxY) box.MaxY = p.Y;
  }
  return box;
}
