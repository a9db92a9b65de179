// The regions layer: type, point count, outline and the two house-number fields
// (kept as text) per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddRegionRow(const LayerLoad& load, const fs::path&, ReadRecordResult& record) {
  LayerRow& row = load.Tables.ListOfRegions.Add(std::move(record.Fields[0]));
  for (size_t i = 1; i < 5; ++i) row.SubItems.push_back(std::move(record.Fields[i]));
  AppendBoxCells(load.Extents, row, PointsOfCells(row.Cell(0), row.Cell(1)));
}

const LayerReading kRegions{RegionsFiles(), RegionRecordFormat, "Ошибка при открытии!", "Отсутствует файл с областями!",
                            [](CityTables& t) { t.ListOfRegions.Clear(); }, AddRegionRow};

}  // namespace

void LoadRegions(const LayerLoad& load) { LoadLayer(load, kRegions); }
