#include "render/DrawList.h"

#include <string>

#include "mapdata/DecimalText.h"
#include "render/CellNumbers.h"
#include "render/MapLayers.h"

namespace {

bool BoxMeets(const LayerTable& table, int row, const CellBox& c, const PointBox& area) {
  return CellInt(table, row, c.MinX) <= area.MaxX && CellInt(table, row, c.MaxX) >= area.MinX &&
         CellInt(table, row, c.MaxY) >= area.MinY && CellInt(table, row, c.MinY) <= area.MaxY;
}

void Append(LayerTable& list, const std::string& code, int row) {
  list.AddRow({code, NumberText(row).View()});  // in the order of draw_list_cell
}

}  // namespace

void BuildDrawList(CityTables& tables, const ViewState& view, const PointBox& area) {
  LayerTable& list = tables.DrawListView;
  list.Clear();
  for (const MapLayer* layer : MapLayers()) {
    const LayerTable& table = TableOf(tables, *layer);
    const std::string code = DrawCodeText(layer->Code);
    for (int i = 0; i < table.Count(); ++i)
      if (BoxMeets(table, i, layer->Box, area) && (!layer->Listed || layer->Listed(*layer, table, i, view.Scale)))
        Append(list, code, i);
  }
}
