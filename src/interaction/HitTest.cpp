#include "interaction/HitTest.h"

#include "info/RecordCells.h"
#include "shell/MapCore.h"

namespace {

constexpr int HitTolerance = 10;

bool WithinBox(int64_t h, int32_t coordinate, float scale) {
  const long double scaled = static_cast<long double>(coordinate) * scale;
  return TruncToInt32(scaled - HitTolerance) <= h && h <= TruncToInt32(scaled + HitTolerance);
}

// The X and Y cells of a row, when both are numbers.
std::optional<IntPoint> RowPoint(const LayerTable& table, int row) {
  const auto x = ReadCellInt(ColumnCell(table, row, "X"));
  const auto y = ReadCellInt(ColumnCell(table, row, "Y"));
  if (!x || !y) return std::nullopt;
  return IntPoint{*x, *y};
}

}  // namespace

HitPoint WindowToHit(const ViewState& v, int32_t x, int32_t y) {
  return {int64_t{x} + v.OffsetX + v.ScreenWidth / 2, int64_t{y} + v.OffsetY + v.ScreenHeight / 2};
}

bool IsUnder(HitPoint at, int32_t x, int32_t y, float scale) {
  return WithinBox(at.X, x, scale) && WithinBox(at.Y, y, scale);
}

std::optional<int> FoundFirmAt(const MapCore& core, HitPoint at) {
  const LayerTable& firms = core.Tables.ListOfFirms;
  for (const LayerRow& found : core.Search.ListView2.Rows()) {
    const auto row = ReadCellInt(found.Caption);
    if (!row || *row < 0 || *row >= firms.Count()) continue;
    const auto point = RowPoint(firms, *row);
    if (point && IsUnder(at, point->X, point->Y, core.View.Scale)) return *row;
  }
  return std::nullopt;
}

std::optional<int> ShownObjectAt(const MapCore& core, HitPoint at) {
  const LayerTable& objects = core.Tables.ListOfObjects;
  const int32_t filter = core.Flags.ObjectFilter;
  for (const LayerRow& entry : core.Tables.DrawListView.Rows()) {
    if (entry.Caption != "5") continue;
    const auto row = ReadCellInt(entry.Cell(0));
    if (!row || *row < 0 || *row >= objects.Count()) continue;
    if (filter != -1 && ReadCellInt(ColumnCell(objects, *row, "Картинка")) != filter) continue;
    const auto point = RowPoint(objects, *row);
    if (point && IsUnder(at, point->X, point->Y, core.View.Scale)) return *row;
  }
  return std::nullopt;
}
