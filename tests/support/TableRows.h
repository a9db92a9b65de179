#pragma once
// Rows shaped as the layer loaders store them, for tests that fill the tables
// of a MapCore directly.  Texts are UTF-8 here and stored as Windows-1251.
#include <QImage>

#include <string>
#include <utility>
#include <vector>

struct MapCore;

using Points = std::vector<std::pair<int, int>>;

// "x1 y1 x2 y2 ..." as the data files write a point list.
std::string PointListText(const Points& points);

void AddStreetRow(MapCore& core, const std::string& name, const std::string& type, int width, const Points& points);
void AddBuildingRow(MapCore& core, const std::string& street, const std::string& number, const Points& points);
void AddRegionRow(MapCore& core, const std::string& type, const Points& points);
void AddLabelRow(MapCore& core, const std::string& text, int size, int x, int y);
void AddObjectRow(MapCore& core, const std::string& kind, const std::string& name, int icon, int x, int y);
void AddRouteRow(MapCore& core, const std::string& type, const std::string& name, const Points& points);
void AddFirmRow(MapCore& core, const std::string& name, int x, int y);

// A 20 x 20 icon of one colour.
QImage SolidIcon(QRgb color);
