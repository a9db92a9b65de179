#include "support/TableRows.h"

#include <algorithm>

#include "mapdata/Cp1251.h"
#include "shell/MapCore.h"

namespace {

struct Box {
  int MinX, MinY, MaxX, MaxY;
};

Box BoxOf(const Points& points) {
  Box b{points.at(0).first, points.at(0).second, points.at(0).first, points.at(0).second};
  for (const auto& [x, y] : points) {
    b.MinX = std::min(b.MinX, x);
    b.MinY = std::min(b.MinY, y);
    b.MaxX = std::max(b.MaxX, x);
    b.MaxY = std::max(b.MaxY, y);
  }
  return b;
}

void AppendBox(MapCore& core, LayerRow& row, const Box& b) {
  for (int v : {b.MinX, b.MinY, b.MaxX, b.MaxY}) row.SubItems.push_back(std::to_string(v));
  WidenMapExtents(core.Extents, b.MinX, b.MinY, b.MaxX, b.MaxY);
}

void AppendPoint(MapCore& core, LayerRow& row, int x, int y) {
  row.SubItems.push_back(std::to_string(x));
  row.SubItems.push_back(std::to_string(y));
  WidenMapExtents(core.Extents, x, y, x, y);
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
  LayerRow& row = core.Tables.ListOfStreets.Add(W(name));
  row.SubItems = {W(type), std::to_string(width), std::to_string(points.size()), PointListText(points),
                  "Streets.txt", "", ""};
  AppendBox(core, row, BoxOf(points));
}

void AddBuildingRow(MapCore& core, const std::string& street, const std::string& number, const Points& points) {
  LayerRow& row = core.Tables.ListOfBuildings.Add(W(street));
  row.SubItems = {W(number), " ", std::to_string(points.size()), PointListText(points), "Buildings.txt"};
  AppendBox(core, row, BoxOf(points));
}

void AddRegionRow(MapCore& core, const std::string& type, const Points& points) {
  LayerRow& row = core.Tables.ListOfRegions.Add(W(type));
  row.SubItems = {std::to_string(points.size()), PointListText(points), "0", " "};
  AppendBox(core, row, BoxOf(points));
}

void AddLabelRow(MapCore& core, const std::string& text, int size, int x, int y) {
  LayerRow& row = core.Tables.ListOfTexts.Add(W(text));
  row.SubItems = {std::to_string(size), PointListText({{x, y}})};
  AppendPoint(core, row, x, y);
}

void AddObjectRow(MapCore& core, const std::string& kind, const std::string& name, int icon, int x, int y) {
  LayerRow& row = core.Tables.ListOfObjects.Add(W(kind));
  row.SubItems = {" ", " ", W(name), PointListText({{x, y}}), "Objects.txt", std::to_string(icon)};
  AppendPoint(core, row, x, y);
}

void AddRouteRow(MapCore& core, const std::string& type, const std::string& name, const Points& points) {
  LayerRow& row = core.Tables.ListOfPath1.Add(std::to_string(points.size()));
  row.SubItems = {PointListText(points)};
  AppendBox(core, row, BoxOf(points));
  core.Tables.ListOfPath2.Add(W(type)).SubItems = {W(name), " "};
}

void AddFirmRow(MapCore& core, const std::string& name, int x, int y) {
  LayerTable& firms = core.Tables.ListOfFirms;
  const int index = firms.Count();
  LayerRow& row = firms.Add(W(name));
  row.SubItems = {" ", " ", PointListText({{x, y}}), "firm" + std::to_string(index)};
  AppendPoint(core, row, x, y);
  row.SubItems.push_back(" ");
  row.SubItems.push_back(std::to_string(index));
}

QImage SolidIcon(QRgb color) {
  QImage icon(20, 20, QImage::Format_ARGB32);
  icon.fill(color);
  return icon;
}
