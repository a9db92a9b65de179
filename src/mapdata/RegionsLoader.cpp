// The regions layer: type, point count, outline and the two house-number fields
// (kept as text) per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "shell/MapCore.h"

namespace {

void AddRegionRow(MapCore& core, ReadRecordResult& record) {
  LayerRow& row = core.Tables.ListOfRegions.Add(std::move(record.Fields[0]));
  for (size_t i = 1; i < 5; ++i) row.SubItems.push_back(std::move(record.Fields[i]));
  AppendRegionBox(core, core.Tables.ListOfRegions.Count() - 1);
}

}  // namespace

void ReadRegionsText(MapCore& core, const std::string& city) {
  core.Tables.ListOfRegions.Clear();
  const fs::path file = CityLocation{core.DataRoot, city}.File(RegionsFiles().Plain);
  if (!FileExists(file)) return;
  ReadLayerFile(core, file, LayerVariant::Plain, RegionRecordFormat(), "Ошибка при открытии!",
                [&](ReadRecordResult& record) { AddRegionRow(core, record); });
}

void ReadRegionsScrambled(MapCore& core, const std::string& city) {
  core.Tables.ListOfRegions.Clear();
  const fs::path file = CityLocation{core.DataRoot, city}.File(RegionsFiles().Scrambled);
  ReadLayerFile(core, file, LayerVariant::Scrambled, RegionRecordFormat(), "Отсутствует файл с областями!",
                [&](ReadRecordResult& record) { AddRegionRow(core, record); });
}

void AppendRegionBox(MapCore& core, int rowIndex) {
  LayerRow& row = core.Tables.ListOfRegions[rowIndex];
  AppendBoxCells(core, row, PointsOfCells(row.Cell(0), row.Cell(1)));
}
