// The streets layer: name, type, width, point count and point list per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddStreetRow(const LayerLoad& load, const fs::path& file, ReadRecordResult& record) {
  LayerRow& row = load.Tables.ListOfStreets.Add(std::move(record.Fields[0]));
  for (size_t i = 1; i < 5; ++i) row.SubItems.push_back(std::move(record.Fields[i]));
  row.SubItems.push_back(FileCell(file));
  row.SubItems.emplace_back();  // "Кол-во точек названия"
  row.SubItems.emplace_back();  // "Точки названия"
  AppendBoxCells(load.Extents, row, PointsOfCells(row.Cell(2), row.Cell(3)));
}

const LayerReading kStreets{StreetsFiles(), StreetRecordFormat, "Ошибка при открытии!", "Отсутствует файл с улицами!",
                            [](CityTables& t) { t.ListOfStreets.Clear(); }, AddStreetRow};

}  // namespace

void LoadStreets(const LayerLoad& load) { LoadLayer(load, kStreets); }
