#include "render/DrawList.h"

#include <string>

#include "render/CellNumbers.h"

namespace {

// Where a table keeps its box: four sub-items, left, top, right, bottom.
struct BoxColumns {
  int Left, Top, Right, Bottom;
};

struct Rect {
  int32_t Left, Top, Right, Bottom;
};

bool BoxMeets(const LayerTable& table, int row, BoxColumns c, const Rect& r) {
  return CellInt(table, row, c.Left) <= r.Right && CellInt(table, row, c.Right) >= r.Left &&
         CellInt(table, row, c.Bottom) >= r.Top && CellInt(table, row, c.Top) <= r.Bottom;
}

void Append(LayerTable& list, char code, int row) {
  LayerRow& item = list.Add(std::string(1, code));
  item.SubItems.push_back(std::to_string(row));
}

// Every row of `table` whose box meets the rectangle and that `admit` lets in.
template <typename Admit>
void ListRows(LayerTable& list, const LayerTable& table, char code, BoxColumns box, const Rect& r, Admit admit) {
  for (int i = 0; i < table.Count(); ++i)
    if (BoxMeets(table, i, box, r) && admit(i)) Append(list, code, i);
}

constexpr BoxColumns kStreetBox{7, 8, 9, 10};
constexpr BoxColumns kBuildingBox{5, 6, 7, 8};
constexpr BoxColumns kRegionBox{4, 5, 6, 7};
constexpr BoxColumns kRouteBox{1, 2, 3, 4};
constexpr BoxColumns kObjectPoint{6, 7, 6, 7};
constexpr BoxColumns kLabelPoint{2, 3, 2, 3};
constexpr BoxColumns kFirmPoint{4, 5, 4, 5};
constexpr int kStreetWidth = 1;

}  // namespace

void BuildDrawList(CityTables& tables, const ViewState& view, int32_t left, int32_t top, int32_t right,
                   int32_t bottom) {
  const CityTables& t = tables;
  LayerTable& list = tables.DrawListView;
  const Rect r{left, top, right, bottom};
  const float scale = view.Scale;
  const auto always = [](int) { return true; };

  list.Clear();
  ListRows(list, t.ListOfRegions, '3', kRegionBox, r, always);
  // Thin streets only when the scale makes them wide enough to see.
  ListRows(list, t.ListOfStreets, '1', kStreetBox, r,
           [&](int i) { return CellInt(t.ListOfStreets, i, kStreetWidth) > 2 || scale >= 1.0f; });
  // Routes are admitted by their box alone.
  ListRows(list, t.ListOfPath1, '7', kRouteBox, r, always);
  ListRows(list, t.ListOfBuildings, '2', kBuildingBox, r, always);
  ListRows(list, t.ListOfObjects, '5', kObjectPoint, r, always);
  ListRows(list, t.ListOfTexts, '4', kLabelPoint, r, always);
  ListRows(list, t.ListOfFirms, '6', kFirmPoint, r, always);
}
