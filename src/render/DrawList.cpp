#include "render/DrawList.h"

#include <string>

#include "render/CellNumbers.h"
#include "render/MapLayers.h"

namespace {

struct Rect {
  int32_t Left, Top, Right, Bottom;
};

bool BoxMeets(const LayerTable& table, int row, const CellBox& c, const Rect& r) {
  return CellInt(table, row, c.MinX) <= r.Right && CellInt(table, row, c.MaxX) >= r.Left &&
         CellInt(table, row, c.MaxY) >= r.Top && CellInt(table, row, c.MinY) <= r.Bottom;
}

void Append(LayerTable& list, const std::string& code, int row) {
  LayerRow& item = list.AddCells(draw_list_cell::kCells);
  item.At(draw_list_cell::Code) = code;
  item.At(draw_list_cell::Row) = std::to_string(row);
}

}  // namespace

void BuildDrawList(CityTables& tables, const ViewState& view, int32_t left, int32_t top, int32_t right,
                   int32_t bottom) {
  LayerTable& list = tables.DrawListView;
  const Rect r{left, top, right, bottom};
  list.Clear();
  for (const MapLayer* layer : MapLayers()) {
    const LayerTable& table = TableOf(tables, *layer);
    const std::string code = DrawCodeText(layer->Code);
    for (int i = 0; i < table.Count(); ++i)
      if (BoxMeets(table, i, layer->Box, r) && (!layer->Listed || layer->Listed(*layer, table, i, view.Scale)))
        Append(list, code, i);
  }
}
