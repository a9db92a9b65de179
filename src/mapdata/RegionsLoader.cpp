// The regions layer: type, point count, outline and the two house-number fields
// (kept as text) per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

using namespace region_cell;

const FieldCell kPlaces[] = {{region_field::Type, Type},
                             {region_field::PointCount, PointCount},
                             {region_field::Points, Points},
                             {region_field::NumberCount, NumberCount},
                             {region_field::NumberPoints, NumberPoints}};

void AddRegionRow(const LayerLoad& load, const fs::path&, ReadRecordResult& record) {
  LayerRow& row = AddFieldsRow(load.Tables.ListOfRegions, kCells, record.Fields, kPlaces);
  PutBoxCells(load.Extents, row, kBox, PointsOfCells(row.Cell(PointCount), row.Cell(Points)));
}

const LayerReading kRegions{"Области...",
                            {"Data/Regions.txt", "Data/Regions.crpt"},
                            RegionRecordFormat,
                            "Ошибка при открытии!",
                            "Отсутствует файл с областями!",
                            [](CityTables& t) { t.ListOfRegions.Clear(); },
                            AddRegionRow};

}  // namespace

const LayerReading& RegionsReading() { return kRegions; }
