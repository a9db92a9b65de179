#include "support/TableRows.h"

#include "mapdata/BoxCells.h"
#include "mapdata/Cp1251.h"
#include "state/MapCore.h"

namespace {

std::vector<MapPoint> MapPoints(const Points& points) {
  std::vector<MapPoint> out;
  for (const auto& [x, y] : points) out.push_back({x, y});
  return out;
}

void PutPoint(MapCore& core, RowDraft& row, const CellBox& point, int x, int y) {
  PutBoxCells(core.Extents, row, point, {{x, y}});
}

std::string W(const std::string& utf8) { return cp1251::FromUtf8(utf8); }

}  // namespace

std::string PointListText(const Points& points) {
  std::string text;
  for (const auto& [x, y] : points) {
    if (!text.empty()) text += ' ';
    text += std::to_string(x) + ' ' + std::to_string(y);
  }
  return text;
}

void AddStreetRow(MapCore& core, const std::string& name, const std::string& type, int width, const Points& points) {
  using namespace street_cell;
  RowDraft& row = core.Tables.ListOfStreets.AddCells(kCells);
  row.At(Name) = W(name);
  row.At(Type) = W(type);
  row.At(Width) = std::to_string(width);
  row.At(PointCount) = std::to_string(points.size());
  row.At(street_cell::Points) = PointListText(points);
  row.At(File) = "Streets.txt";
  PutBoxCells(core.Extents, row, kBox, MapPoints(points));
}

void AddBuildingRow(MapCore& core, const std::string& street, const std::string& number, const Points& points) {
  using namespace building_cell;
  RowDraft& row = core.Tables.ListOfBuildings.AddCells(kCells);
  row.At(Street) = W(street);
  row.At(Number) = W(number);
  row.At(Name) = " ";
  row.At(PointCount) = std::to_string(points.size());
  row.At(building_cell::Points) = PointListText(points);
  row.At(File) = "Buildings.txt";
  PutBoxCells(core.Extents, row, kBox, MapPoints(points));
}

void AddRegionRow(MapCore& core, const std::string& type, const Points& points) {
  using namespace region_cell;
  RowDraft& row = core.Tables.ListOfRegions.AddCells(kCells);
  row.At(Type) = W(type);
  row.At(PointCount) = std::to_string(points.size());
  row.At(region_cell::Points) = PointListText(points);
  row.At(NumberCount) = "0";
  row.At(NumberPoints) = " ";
  PutBoxCells(core.Extents, row, kBox, MapPoints(points));
}

void AddLabelRow(MapCore& core, const std::string& text, int size, int x, int y) {
  using namespace label_cell;
  RowDraft& row = core.Tables.ListOfTexts.AddCells(kCells);
  row.At(Text) = W(text);
  row.At(Size) = std::to_string(size);
  row.At(label_cell::Points) = PointListText({{x, y}});
  PutPoint(core, row, kBox, x, y);
}

void AddObjectRow(MapCore& core, const std::string& kind, const std::string& name, int icon, int x, int y) {
  using namespace object_cell;
  RowDraft& row = core.Tables.ListOfObjects.AddCells(kCells);
  row.At(Kind) = W(kind);
  row.At(Street) = " ";
  row.At(Number) = " ";
  row.At(Name) = W(name);
  row.At(object_cell::Points) = PointListText({{x, y}});
  row.At(File) = "Objects.txt";
  row.At(Icon) = std::to_string(icon);
  PutPoint(core, row, kBox, x, y);
}

void AddRouteRow(MapCore& core, const std::string& type, const std::string& name, const Points& points) {
  RowDraft& shape = core.Tables.ListOfPath1.AddCells(route_shape_cell::kCells);
  shape.At(route_shape_cell::PointCount) = std::to_string(points.size());
  shape.At(route_shape_cell::Points) = PointListText(points);
  PutBoxCells(core.Extents, shape, route_shape_cell::kBox, MapPoints(points));
  RowDraft& listed = core.Tables.ListOfPath2.AddCells(route_name_cell::kCells);
  listed.At(route_name_cell::Type) = W(type);
  listed.At(route_name_cell::Name) = W(name);
  listed.At(route_name_cell::Comment) = " ";
}

void AddFirmRow(MapCore& core, const std::string& name, int x, int y) {
  using namespace firm_cell;
  LayerTable& firms = core.Tables.ListOfFirms;
  const int index = firms.Count();
  RowDraft& row = firms.AddCells(kCells);
  row.At(Name) = W(name);
  row.At(Street) = " ";
  row.At(Number) = " ";
  row.At(firm_cell::Points) = PointListText({{x, y}});
  row.At(File) = "firm" + std::to_string(index);
  PutPoint(core, row, kBox, x, y);
  row.At(Keywords) = " ";
  row.At(Picture) = std::to_string(index);
}

QImage SolidIcon(QRgb color) {
  QImage icon(20, 20, QImage::Format_ARGB32);
  icon.fill(color);
  return icon;
}
