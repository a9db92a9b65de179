#include "render/CellNumbers.h"

#include <stdexcept>

#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"

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
  if (!ParseDecimalInt(table[row].Cell(cell), value)) throw std::runtime_error(BadIntegerMessage(table, row, cell));
  return value;
}
