// The streets layer: name, type, width, point count and point list per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

// The cells of the name's own points stay empty.
void AddStreetRow(const LayerLoad& load, const fs::path& file, ReadRecordResult& record) {
  using namespace street_cell;
  std::vector<std::string>& f = record.Fields;
  LayerRow& row = load.Tables.ListOfStreets.AddCells(kCells);
  row.At(Name) = std::move(f[street_field::Name]);
  row.At(Type) = std::move(f[street_field::Type]);
  row.At(Width) = std::move(f[street_field::Width]);
  row.At(PointCount) = std::move(f[street_field::PointCount]);
  row.At(Points) = std::move(f[street_field::Points]);
  row.At(File) = FileCell(file);
  PutBoxCells(load.Extents, row, kBox, PointsOfCells(row.Cell(PointCount), row.Cell(Points)));
}

const LayerReading kStreets{StreetsFiles(), StreetRecordFormat, "Ошибка при открытии!", "Отсутствует файл с улицами!",
                            [](CityTables& t) { t.ListOfStreets.Clear(); }, AddStreetRow};

}  // namespace

void LoadStreets(const LayerLoad& load) { LoadLayer(load, kStreets); }
