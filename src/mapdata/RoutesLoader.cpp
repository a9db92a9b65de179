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

void AddRouteRows(const LayerLoad& load, const fs::path&, ReadRecordResult& record) {
  std::vector<std::string>& f = record.Fields;
  LayerRow& shape = load.Tables.ListOfPath1.AddCells(route_shape_cell::kCells);
  LayerRow& listed = load.Tables.ListOfPath2.AddCells(route_name_cell::kCells);
  shape.At(route_shape_cell::PointCount) = std::move(f[route_field::PointCount]);
  shape.At(route_shape_cell::Points) = std::move(f[route_field::Points]);
  listed.At(route_name_cell::Type) = std::move(f[route_field::Type]);
  listed.At(route_name_cell::Name) = std::move(f[route_field::Name]);
  listed.At(route_name_cell::Comment) = std::move(f[route_field::Comment]);
  PutBoxCells(load.Extents, shape, route_shape_cell::kBox,
              PointsOfCells(shape.Cell(route_shape_cell::PointCount), shape.Cell(route_shape_cell::Points)));
}

const LayerReading kRoutes{RoutesFiles(), RouteRecordFormat, "Ошибка при открытии!", "Отсутствует файл с маршрутами!",
                           ClearRoutes, AddRouteRows};

}  // namespace

void LoadRoutes(const LayerLoad& load) { LoadLayer(load, kRoutes); }
