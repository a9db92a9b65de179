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

void AddRouteRows(const LayerLoad& load, std::string_view, ReadRecordResult& record) {
  const std::vector<std::string_view>& f = record.Fields;
  const BoxText box(WidenByBox(load.Extents, record.Points));
  // In the order of route_shape_cell and route_name_cell.
  load.Tables.ListOfPath1.AddRow({f[route_field::PointCount], f[route_field::Points], box.MinX.View(),
                                  box.MinY.View(), box.MaxX.View(), box.MaxY.View()});
  load.Tables.ListOfPath2.AddRow({f[route_field::Type], f[route_field::Name], f[route_field::Comment]});
}

const LayerReading kRoutes{.Step = "Маршруты...",
                           .Timed = "LoadRoutes",
                           .Files = {.Plain = "Data/Path.txt", .Scrambled = "Data/Path.crpt"},
                           .Format = RouteRecordFormat,
                           .PlainOpenFailure = "Ошибка при открытии!",
                           .ScrambledOpenFailure = "Отсутствует файл с маршрутами!",
                           .Clear = ClearRoutes,
                           .AddRow = AddRouteRows};

}  // namespace

const LayerReading& RoutesReading() { return kRoutes; }
