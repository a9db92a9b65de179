// The routes layer, read into two parallel tables: ListOfPath2 (type, name,
// comment; the list the user sees) and ListOfPath1 (point count, points, box).
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "shell/MapCore.h"

namespace {

void ClearRoutes(MapCore& core) {
  core.Tables.ListOfPath1.Clear();
  core.Tables.ListOfPath2.Clear();
}

void AddRouteRows(MapCore& core, ReadRecordResult& record) {
  LayerRow& geometry = core.Tables.ListOfPath1.Add(std::move(record.Fields[3]));
  LayerRow& listed = core.Tables.ListOfPath2.Add(std::move(record.Fields[0]));
  listed.SubItems.push_back(std::move(record.Fields[1]));
  listed.SubItems.push_back(std::move(record.Fields[2]));
  geometry.SubItems.push_back(std::move(record.Fields[4]));
  AppendRouteBox(core, core.Tables.ListOfPath1.Count() - 1);
}

}  // namespace

void ReadRoutesText(MapCore& core, const std::string& city) {
  const fs::path file = CityLocation{core.DataRoot, city}.File(RoutesFiles().Plain);
  if (!FileExists(file)) return;
  ClearRoutes(core);
  ReadLayerFile(core, file, LayerVariant::Plain, RouteRecordFormat(), "Ошибка при открытии!",
                [&](ReadRecordResult& record) { AddRouteRows(core, record); });
}

void ReadRoutesScrambled(MapCore& core, const std::string& city) {
  const fs::path file = CityLocation{core.DataRoot, city}.File(RoutesFiles().Scrambled);
  ReadLayerFile(
      core, file, LayerVariant::Scrambled, RouteRecordFormat(), "Отсутствует файл с маршрутами!",
      [&](ReadRecordResult& record) { AddRouteRows(core, record); }, [&] { ClearRoutes(core); });
}

void AppendRouteBox(MapCore& core, int rowIndex) {
  LayerRow& row = core.Tables.ListOfPath1[rowIndex];
  AppendBoxCells(core, row, PointsOfCells(row.Caption, row.Cell(0)));
}
