#include "info/RecordCells.h"

#include <cmath>
#include <limits>

std::optional<int32_t> ReadCellInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min()) return std::nullopt;
  return static_cast<int32_t>(value);
}

namespace {

// Next number of a point list from `pos`, skipping the single spaces (and a
// stray CR or LF) between numbers.
std::optional<int32_t> NextNumber(std::string_view text, size_t& pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\r' || text[pos] == '\n')) ++pos;
  const size_t start = pos;
  while (pos < text.size() && text[pos] != ' ' && text[pos] != '\r' && text[pos] != '\n') ++pos;
  if (start == pos) return std::nullopt;
  return ReadCellInt(text.substr(start, pos - start));
}

}  // namespace

int ReadPoints(std::string_view text, int count, PointArray& out) {
  if (count > MaxSelectionPoints) count = MaxSelectionPoints;
  size_t pos = 0;
  int read = 0;
  while (read < count) {
    const auto x = NextNumber(text, pos);
    if (!x) break;
    const auto y = NextNumber(text, pos);
    if (!y) break;
    out[static_cast<size_t>(read++)] = IntPoint{*x, *y};
  }
  return read;
}

std::optional<IntPoint> FirstPoint(std::string_view text) {
  PointArray one{};
  if (ReadPoints(text, 1, one) != 1) return std::nullopt;
  return one[0];
}

int DeclaredPointCount(std::string_view countCell) {
  const auto n = ReadCellInt(countCell);
  if (!n || *n <= 0) return 0;
  return *n > MaxSelectionPoints ? MaxSelectionPoints : *n;
}

int32_t TruncToInt32(long double value) {
  if (std::isnan(value)) return 0;
  constexpr long double lo = std::numeric_limits<int32_t>::min();
  constexpr long double hi = std::numeric_limits<int32_t>::max();
  if (value <= lo) return std::numeric_limits<int32_t>::min();
  if (value >= hi) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::trunc(value));
}
