#pragma once
// The cells of every table of a city, by name: one schema per table, each cell
// named once.  A row's first column is its caption (LayerRow::Caption, cell
// kCaption); the other names index LayerRow::SubItems, in order.  kColumns are
// the column captions (UTF-8) the table declares; messages about a cell name
// its column by them.
#include <iterator>
#include <string>
#include <vector>

#include "mapdata/LayerTable.h"

// The four cells of a row's box: left, top, right, bottom; a point-like row
// has its position there twice (X, Y, X, Y).
struct CellBox {
  int MinX, MinY, MaxX, MaxY;
};

// The caption list of a table, for its LayerTable.
template <size_t N>
std::vector<std::string> ColumnList(const char* const (&captions)[N]) {
  return std::vector<std::string>(std::begin(captions), std::end(captions));
}

// ListOfStreets.  The two cells of the name's own points are kept empty.
namespace street_cell {
enum : int { Name = kCaption, Type, Width, PointCount, Points, File, LabelPointCount, LabelPoints,
             MinX, MinY, MaxX, MaxY, kCells };
inline constexpr const char* kColumns[] = {"Название", "Тип", "Ширина", "Кол-во точек", "Координаты", "Файл",
                                           "Кол-во точек названия", "Точки названия", "MinX", "MinY", "MaxX",
                                           "MaxY"};
static_assert(std::size(kColumns) == kCells + 1);
inline constexpr CellBox kBox{MinX, MinY, MaxX, MaxY};
}  // namespace street_cell

// ListOfBuildings.
namespace building_cell {
enum : int { Street = kCaption, Number, Name, PointCount, Points, File, MinX, MinY, MaxX, MaxY, kCells };
inline constexpr const char* kColumns[] = {"Улица", "Номер", "Название", "Кол-во точек", "Координаты", "Файл",
                                           "MinX", "MinY", "MaxX", "MaxY"};
static_assert(std::size(kColumns) == kCells + 1);
inline constexpr CellBox kBox{MinX, MinY, MaxX, MaxY};
}  // namespace building_cell

// ListOfRegions.  The house-number fields are kept as text.
namespace region_cell {
enum : int { Type = kCaption, PointCount, Points, NumberCount, NumberPoints, MinX, MinY, MaxX, MaxY, kCells };
inline constexpr const char* kColumns[] = {"Тип области", "Кол-во координат", "Координаты", "Кол-во номеров",
                                           "Координаты номеров", "MinX", "MinY", "MaxX", "MaxY"};
static_assert(std::size(kColumns) == kCells + 1);
inline constexpr CellBox kBox{MinX, MinY, MaxX, MaxY};
}  // namespace region_cell

// ListOfTexts.
namespace label_cell {
enum : int { Text = kCaption, Size, Points, X, Y, kCells };
inline constexpr const char* kColumns[] = {"Текст", "Размер", "Координаты", "X", "Y"};
static_assert(std::size(kColumns) == kCells + 1);
inline constexpr CellBox kBox{X, Y, X, Y};
}  // namespace label_cell

// ListOfObjects.  Kind is the object's kind; Icon its icon, and the index of
// its kind in the object-kind chooser.
namespace object_cell {
enum : int { Kind = kCaption, Street, Number, Name, Points, File, Icon, X, Y, kCells };
inline constexpr const char* kColumns[] = {"Объект", "Улица", "Номер", "Название", "Координаты", "Файл",
                                           "Картинка", "X", "Y"};
static_assert(std::size(kColumns) == kCells + 1);
inline constexpr CellBox kBox{X, Y, X, Y};
}  // namespace object_cell

// ListOfFirms.  File is the firm's base name (Windows-1251, for showing);
// Picture, a cell without a column, the row's index when it was added: the
// firm's marker in FirmsImageList and its name on disk in FirmFileNames, kept
// through the sort by name.
namespace firm_cell {
enum : int { Name = kCaption, Street, Number, Points, File, X, Y, Keywords, Picture, kCells };
inline constexpr const char* kColumns[] = {"Название", "Улица", "Номер", "Координаты", "Файл", "X", "Y",
                                           "Ключевые слова"};
static_assert(std::size(kColumns) == Picture + 1);  // the picture cell has no column
inline constexpr CellBox kBox{X, Y, X, Y};
}  // namespace firm_cell

// ListOfPath1: the routes' geometry, row for row beside ListOfPath2.
namespace route_shape_cell {
enum : int { PointCount = kCaption, Points, MinX, MinY, MaxX, MaxY, kCells };
inline constexpr const char* kColumns[] = {"Кол-во точек", "Координаты", "MinX", "MinY", "MaxX", "MaxY"};
static_assert(std::size(kColumns) == kCells + 1);
inline constexpr CellBox kBox{MinX, MinY, MaxX, MaxY};
}  // namespace route_shape_cell

// ListOfPath2: the routes as the routes panel lists them.
namespace route_name_cell {
enum : int { Type = kCaption, Name, Comment, kCells };
inline constexpr const char* kColumns[] = {"Тип маршрута", "Название маршрута", "Комментарии"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace route_name_cell

// DrawListView: the layer's draw code ("1".."7", DrawCode in render/MapLayers.h) and the row in
// the layer's table.
namespace draw_list_cell {
enum : int { Code = kCaption, Row, kCells };
inline constexpr const char* kColumns[] = {"Тип", "№ П/П"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace draw_list_cell
