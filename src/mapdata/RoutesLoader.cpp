// The routes layer, read into two parallel tables: ListOfPath2 (type, name,
// comment; the list the user sees) and ListOfPath1 (point count, points, box).
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void ClearRoutes(CityTables& tables) {
  tables.ListOfPath1.Clear();
  tables.ListOfPath2.Clear();
}

const FieldCell kShapePlaces[] = {{route_field::PointCount, route_shape_cell::PointCount},
                                  {route_field::Points, route_shape_cell::Points}};
const FieldCell kNamePlaces[] = {{route_field::Type, route_name_cell::Type},
                                 {route_field::Name, route_name_cell::Name},
                                 {route_field::Comment, route_name_cell::Comment}};

void AddRouteRows(const LayerLoad& load, const fs::path&, ReadRecordResult& record) {
  LayerRow& shape = AddFieldsRow(load.Tables.ListOfPath1, route_shape_cell::kCells, record.Fields, kShapePlaces);
  AddFieldsRow(load.Tables.ListOfPath2, route_name_cell::kCells, record.Fields, kNamePlaces);
  PutBoxCells(load.Extents, shape, route_shape_cell::kBox,
              PointsOfCells(shape.Cell(route_shape_cell::PointCount), shape.Cell(route_shape_cell::Points)));
}

const LayerReading kRoutes{"Маршруты...",
                           {"Data/Path.txt", "Data/Path.crpt"},
                           RouteRecordFormat,
                           "Ошибка при открытии!",
                           "Отсутствует файл с маршрутами!",
                           ClearRoutes,
                           AddRouteRows};

}  // namespace

const LayerReading& RoutesReading() { return kRoutes; }
