// The buildings layer: street, number, name, point count and outline per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddBuildingRow(const LayerLoad& load, const fs::path& file, ReadRecordResult& record) {
  LayerRow& row = load.Tables.ListOfBuildings.Add(std::move(record.Fields[0]));
  for (size_t i = 1; i < 5; ++i) row.SubItems.push_back(std::move(record.Fields[i]));
  row.SubItems.push_back(FileCell(file));
  AppendBoxCells(load.Extents, row, PointsOfCells(row.Cell(2), row.Cell(3)));
}

const LayerReading kBuildings{BuildingsFiles(), BuildingRecordFormat, "Ошибка при открытии файла здания!",
                              "Ошибка при открытии файла зданий!",
                              [](CityTables& t) { t.ListOfBuildings.Clear(); }, AddBuildingRow};

}  // namespace

void LoadBuildings(const LayerLoad& load) { LoadLayer(load, kBuildings); }
