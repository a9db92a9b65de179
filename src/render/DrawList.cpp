#include "render/DrawList.h"

#include <string>

#include "render/CellNumbers.h"

namespace {

struct Rect {
  int32_t Left, Top, Right, Bottom;
};

bool BoxMeets(const LayerTable& table, int row, const CellBox& c, const Rect& r) {
  return CellInt(table, row, c.MinX) <= r.Right && CellInt(table, row, c.MaxX) >= r.Left &&
         CellInt(table, row, c.MaxY) >= r.Top && CellInt(table, row, c.MinY) <= r.Bottom;
}

void Append(LayerTable& list, char code, int row) {
  LayerRow& item = list.AddCells(draw_list_cell::kCells);
  item.At(draw_list_cell::Code) = std::string(1, code);
  item.At(draw_list_cell::Row) = std::to_string(row);
}

// Every row of `table` whose box meets the rectangle and that `admit` lets in.
template <typename Admit>
void ListRows(LayerTable& list, const LayerTable& table, char code, const CellBox& box, const Rect& r, Admit admit) {
  for (int i = 0; i < table.Count(); ++i)
    if (BoxMeets(table, i, box, r) && admit(i)) Append(list, code, i);
}


}  // namespace

void BuildDrawList(CityTables& tables, const ViewState& view, int32_t left, int32_t top, int32_t right,
                   int32_t bottom) {
  const CityTables& t = tables;
  LayerTable& list = tables.DrawListView;
  const Rect r{left, top, right, bottom};
  const float scale = view.Scale;
  const auto always = [](int) { return true; };

  list.Clear();
  ListRows(list, t.ListOfRegions, '3', region_cell::kBox, r, always);
  // Thin streets only when the scale makes them wide enough to see.
  ListRows(list, t.ListOfStreets, '1', street_cell::kBox, r,
           [&](int i) { return CellInt(t.ListOfStreets, i, street_cell::Width) > 2 || scale >= 1.0f; });
  // Routes are admitted by their box alone.
  ListRows(list, t.ListOfPath1, '7', route_shape_cell::kBox, r, always);
  ListRows(list, t.ListOfBuildings, '2', building_cell::kBox, r, always);
  ListRows(list, t.ListOfObjects, '5', object_cell::kBox, r, always);
  ListRows(list, t.ListOfTexts, '4', label_cell::kBox, r, always);
  ListRows(list, t.ListOfFirms, '6', firm_cell::kBox, r, always);
}
