// The streets layer: name, type, width, point count and point list per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

using namespace street_cell;

const FieldCell kPlaces[] = {{street_field::Name, Name},
                             {street_field::Type, Type},
                             {street_field::Width, Width},
                             {street_field::PointCount, PointCount},
                             {street_field::Points, Points}};

// The cells of the name's own points stay empty.
void AddStreetRow(const LayerLoad& load, const fs::path& file, ReadRecordResult& record) {
  LayerRow& row = AddFieldsRow(load.Tables.ListOfStreets, kCells, record.Fields, kPlaces);
  row.At(File) = FileCell(file);
  PutBoxCells(load.Extents, row, kBox, PointsOfCells(row.Cell(PointCount), row.Cell(Points)));
}

const LayerReading kStreets{"Улицы...",
                            {"Data/Streets.txt", "Data/Streets.crpt"},
                            StreetRecordFormat,
                            "Ошибка при открытии!",
                            "Отсутствует файл с улицами!",
                            [](CityTables& t) { t.ListOfStreets.Clear(); },
                            AddStreetRow};

}  // namespace

const LayerReading& StreetsReading() { return kStreets; }
