// The buildings layer: street, number, name, point count and outline per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddBuildingRow(const LayerLoad& load, const fs::path& file, ReadRecordResult& record) {
  using namespace building_cell;
  std::vector<std::string>& f = record.Fields;
  LayerRow& row = load.Tables.ListOfBuildings.AddCells(kCells);
  row.At(Street) = std::move(f[building_field::Street]);
  row.At(Number) = std::move(f[building_field::Number]);
  row.At(Name) = std::move(f[building_field::Name]);
  row.At(PointCount) = std::move(f[building_field::PointCount]);
  row.At(Points) = std::move(f[building_field::Points]);
  row.At(File) = FileCell(file);
  PutBoxCells(load.Extents, row, kBox, PointsOfCells(row.Cell(PointCount), row.Cell(Points)));
}

const LayerReading kBuildings{BuildingsFiles(), BuildingRecordFormat, "Ошибка при открытии файла здания!",
                              "Ошибка при открытии файла зданий!",
                              [](CityTables& t) { t.ListOfBuildings.Clear(); }, AddBuildingRow};

}  // namespace

void LoadBuildings(const LayerLoad& load) { LoadLayer(load, kBuildings); }
