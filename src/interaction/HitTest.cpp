#include "interaction/HitTest.h"

#include "mapdata/DecimalText.h"
#include "render/MapLayers.h"
#include "shell/MapCore.h"

namespace {

constexpr int HitTolerance = 10;

bool WithinBox(int64_t h, int32_t coordinate, float scale) {
  const long double scaled = static_cast<long double>(coordinate) * scale;
  return TruncToInt32(scaled - HitTolerance) <= h && h <= TruncToInt32(scaled + HitTolerance);
}

// The point cells of a row (X and Y), when both are numbers.
std::optional<MapPoint> RowPoint(const LayerTable& table, const CellBox& point, int row) {
  const auto x = DecimalIntOf(table.CellAt(row, point.MinX));
  const auto y = DecimalIntOf(table.CellAt(row, point.MinY));
  if (!x || !y) return std::nullopt;
  return MapPoint{*x, *y};
}

}  // namespace

bool IsUnder(HitPoint at, int32_t x, int32_t y, float scale) {
  return WithinBox(at.X, x, scale) && WithinBox(at.Y, y, scale);
}

std::optional<int> FoundFirmAt(const MapCore& core, HitPoint at) {
  const MapLayer& layer = LayerOf(DrawCode::Firm);
  const LayerTable& firms = TableOf(core.Tables, layer);
  for (const LayerRow& found : core.Search.ListView2.Rows()) {
    const auto row = DecimalIntOf(found.Cell(found_firm_cell::FirmRow));
    if (!row || *row < 0 || *row >= firms.Count()) continue;
    const auto point = RowPoint(firms, layer.Box, *row);
    if (point && IsUnder(at, point->X, point->Y, core.View.Scale)) return *row;
  }
  return std::nullopt;
}

std::optional<int> ShownObjectAt(const MapCore& core, HitPoint at) {
  const MapLayer& layer = LayerOf(DrawCode::Object);
  const LayerTable& objects = TableOf(core.Tables, layer);
  const std::string code = DrawCodeText(layer.Code);
  const int32_t filter = core.Flags.ObjectFilter;
  for (const LayerRow& entry : core.Tables.DrawListView.Rows()) {
    if (entry.Cell(draw_list_cell::Code) != code) continue;
    const auto row = DecimalIntOf(entry.Cell(draw_list_cell::Row));
    if (!row || *row < 0 || *row >= objects.Count()) continue;
    if (filter != -1 && DecimalIntOf(objects[*row].Cell(object_cell::Icon)) != filter) continue;
    const auto point = RowPoint(objects, layer.Box, *row);
    if (point && IsUnder(at, point->X, point->Y, core.View.Scale)) return *row;
  }
  return std::nullopt;
}
