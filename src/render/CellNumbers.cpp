#include "render/CellNumbers.h"

#include <charconv>
#include <stdexcept>

#include "mapdata/Cp1251.h"

bool ParseInt32(std::string_view text, int32_t& value) {
  if (text.empty() || text.front() == '+') return false;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

namespace {

// A cell beyond the declared columns (the firm's picture) is named by its number.
std::string ColumnName(const LayerTable& table, int cell) {
  const size_t column = static_cast<size_t>(cell + 1);
  return column < table.Columns().size() ? table.Columns()[column] : "ячейка " + std::to_string(cell);
}

std::string Where(const LayerTable& table, int row, int cell) {
  return table.Name() + ", строка " + std::to_string(row) + ", столбец «" + ColumnName(table, cell) + "»";
}

}  // namespace

std::string BadIntegerMessage(const LayerTable& table, int row, int cell) {
  return Where(table, row, cell) + ": «" + cp1251::ToUtf8(table[row].Cell(cell)) + "» — не целое число.";
}

std::string BadPointsMessage(const LayerTable& table, int row, int cell) {
  return Where(table, row, cell) + ": список точек короче заявленного или содержит не число.";
}

int32_t CellInt(const LayerTable& table, int row, int cell) {
  int32_t value = 0;
  if (!ParseInt32(table[row].Cell(cell), value)) throw std::runtime_error(BadIntegerMessage(table, row, cell));
  return value;
}

namespace {

// One number starting at `pos`; leaves `pos` on the character after it.
bool ReadNumber(std::string_view text, size_t& pos, int32_t& value) {
  const char* begin = text.data() + pos;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr == begin) return false;
  pos = static_cast<size_t>(ptr - text.data());
  return true;
}

}  // namespace

bool ReadPointPairs(std::string_view text, int count, std::vector<QPoint>& points) {
  if (count < 0) return false;
  if (count > MaxRowPoints) count = MaxRowPoints;
  size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    int32_t x = 0, y = 0;
    if (!ReadNumber(text, pos, x) || pos >= text.size() || text[pos] != ' ') return false;
    ++pos;
    if (!ReadNumber(text, pos, y)) return false;
    if (pos < text.size()) {
      if (text[pos] != ' ' && text[pos] != '\r') return false;
      ++pos;
    }
    points.emplace_back(x, y);
  }
  return true;
}
