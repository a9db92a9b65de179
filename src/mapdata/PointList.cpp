#include "mapdata/PointList.h"

#include "mapdata/DecimalText.h"
#include "mapdata/ProblemText.h"

namespace {

constexpr char kSpace = ' ';
constexpr char kCr = '\r';

bool TakeNumber(std::string_view accumulated, int32_t& value, PointListResult& result) {
  if (ParseDecimalInt(accumulated, value)) return true;
  result.Problem = "координата " + QuotedValue(accumulated) + " в списке точек не является целым числом";
  return false;
}

}  // namespace

PointListResult ParsePointList(std::string_view text, int count) {
  PointListResult result;
  if (count <= 0) return result;
  result.Points.reserve(static_cast<size_t>(count < kMaxPointsPerRecord ? count : kMaxPointsPerRecord));
  size_t accStart = 0;  // the accumulator is text[accStart, pos)
  bool expectX = true;
  int32_t x = 0;
  size_t pos = 0;
  const size_t end = text.size();
  while (true) {
    if (pos < end && text[pos] == kSpace && expectX) {
      if (!TakeNumber(text.substr(accStart, pos - accStart), x, result)) return result;
      expectX = false;
      ++pos;
      accStart = pos;
    } else if (!expectX && (pos >= end || text[pos] == kSpace || text[pos] == kCr)) {
      int32_t y = 0;
      if (!TakeNumber(text.substr(accStart, pos - accStart), y, result)) return result;
      result.Points.push_back({x, y});
      if (static_cast<int>(result.Points.size()) == count) return result;
      expectX = true;
      ++pos;
      accStart = pos;
    }
    // The character now at the position joins the accumulator untested.
    if (pos >= end) {
      // A number that the end of the text cuts off is judged like any other.
      int32_t last = 0;
      if (pos > accStart && !TakeNumber(text.substr(accStart, pos - accStart), last, result)) return result;
      result.Problem = "в списке точек меньше пар, чем указано: " + std::to_string(result.Points.size()) +
                       " из " + std::to_string(count);
      return result;
    }
    ++pos;
  }
}

PointBox BoxOf(const std::vector<MapPoint>& points) {
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
