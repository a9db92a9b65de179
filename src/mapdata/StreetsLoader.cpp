// The streets layer: name, type, width, point count and point list per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "shell/MapCore.h"

namespace {

void AddStreetRow(MapCore& core, const fs::path& file, ReadRecordResult& record) {
  LayerTable& table = core.Tables.ListOfStreets;
  LayerRow& row = table.Add(std::move(record.Fields[0]));
  for (size_t i = 1; i < 5; ++i) row.SubItems.push_back(std::move(record.Fields[i]));
  row.SubItems.push_back(FileCell(file));
  row.SubItems.emplace_back();  // "Кол-во точек названия"
  row.SubItems.emplace_back();  // "Точки названия"
  AppendStreetBox(core, table.Count() - 1);
}

void ReadStreets(MapCore& core, const fs::path& file, LayerVariant variant, const char* openFailure) {
  ReadLayerFile(core, file, variant, StreetRecordFormat(), openFailure,
                [&](ReadRecordResult& record) { AddStreetRow(core, file, record); });
}

}  // namespace

void LoadStreets(MapCore& core, const std::string& city) {
  core.Tables.ListOfStreets.Clear();
  const CityLocation where{core.DataRoot, city};
  const fs::path scrambled = where.File(StreetsFiles().Scrambled);
  if (FileExists(scrambled))
    ReadStreetsScrambled(core, scrambled);
  else
    ReadStreetsText(core, where.File(StreetsFiles().Plain));
}

void ReadStreetsText(MapCore& core, const fs::path& file) {
  if (!FileExists(file)) return;
  ReadStreets(core, file, LayerVariant::Plain, "Ошибка при открытии!");
}

void ReadStreetsScrambled(MapCore& core, const fs::path& file) {
  ReadStreets(core, file, LayerVariant::Scrambled, "Отсутствует файл с улицами!");
}

void AppendStreetBox(MapCore& core, int rowIndex) {
  LayerRow& row = core.Tables.ListOfStreets[rowIndex];
  AppendBoxCells(core, row, PointsOfCells(row.Cell(2), row.Cell(3)));
}
