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
  LayerRow& geometry = load.Tables.ListOfPath1.Add(std::move(record.Fields[3]));
  LayerRow& listed = load.Tables.ListOfPath2.Add(std::move(record.Fields[0]));
  listed.SubItems.push_back(std::move(record.Fields[1]));
  listed.SubItems.push_back(std::move(record.Fields[2]));
  geometry.SubItems.push_back(std::move(record.Fields[4]));
  AppendBoxCells(load.Extents, geometry, PointsOfCells(geometry.Caption, geometry.Cell(0)));
}

const LayerReading kRoutes{RoutesFiles(), RouteRecordFormat, "Ошибка при открытии!", "Отсутствует файл с маршрутами!",
                           ClearRoutes, AddRouteRows};

}  // namespace

void LoadRoutes(const LayerLoad& load) { LoadLayer(load, kRoutes); }
