// The buildings layer: street, number, name, point count and outline per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

using namespace building_cell;

const FieldCell kPlaces[] = {{building_field::Street, Street},
                             {building_field::Number, Number},
                             {building_field::Name, Name},
                             {building_field::PointCount, PointCount},
                             {building_field::Points, Points}};

void AddBuildingRow(const LayerLoad& load, const fs::path& file, ReadRecordResult& record) {
  LayerRow& row = AddFieldsRow(load.Tables.ListOfBuildings, kCells, record.Fields, kPlaces);
  row.At(File) = FileCell(file);
  PutBoxCells(load.Extents, row, kBox, PointsOfCells(row.Cell(PointCount), row.Cell(Points)));
}

const LayerReading kBuildings{"Здания...",
                              {"Data/Buildings.txt", "Data/Buildings.crpt"},
                              BuildingRecordFormat,
                              "Ошибка при открытии файла здания!",
                              "Ошибка при открытии файла зданий!",
                              [](CityTables& t) { t.ListOfBuildings.Clear(); },
                              AddBuildingRow};

}  // namespace

const LayerReading& BuildingsReading() { return kBuildings; }
