// The buildings layer: street, number, name, point count and outline per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "shell/MapCore.h"

namespace {

void AddBuildingRow(MapCore& core, const fs::path& file, ReadRecordResult& record) {
  LayerTable& table = core.Tables.ListOfBuildings;
  LayerRow& row = table.Add(std::move(record.Fields[0]));
  for (size_t i = 1; i < 5; ++i) row.SubItems.push_back(std::move(record.Fields[i]));
  row.SubItems.push_back(FileCell(file));
  AppendBuildingBox(core, table.Count() - 1);
}

void ReadBuildings(MapCore& core, const fs::path& file, LayerVariant variant, const char* openFailure) {
  ReadLayerFile(core, file, variant, BuildingRecordFormat(), openFailure,
                [&](ReadRecordResult& record) { AddBuildingRow(core, file, record); });
}

}  // namespace

void LoadBuildings(MapCore& core, const std::string& city) {
  core.Tables.ListOfBuildings.Clear();
  const CityLocation where{core.DataRoot, city};
  const fs::path scrambled = where.File(BuildingsFiles().Scrambled);
  if (FileExists(scrambled))
    ReadBuildingsScrambled(core, scrambled);
  else
    ReadBuildingsText(core, where.File(BuildingsFiles().Plain));
}

void ReadBuildingsText(MapCore& core, const fs::path& file) {
  if (!FileExists(file)) return;
  ReadBuildings(core, file, LayerVariant::Plain, "Ошибка при открытии файла здания!");
}

void ReadBuildingsScrambled(MapCore& core, const fs::path& file) {
  ReadBuildings(core, file, LayerVariant::Scrambled, "Ошибка при открытии файла зданий!");
}

void AppendBuildingBox(MapCore& core, int rowIndex) {
  LayerRow& row = core.Tables.ListOfBuildings[rowIndex];
  AppendBoxCells(core, row, PointsOfCells(row.Cell(2), row.Cell(3)));
}
