// The regions layer: type, point count, outline and the two house-number fields
// (kept as text) per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddRegionRow(const LayerLoad& load, const fs::path&, ReadRecordResult& record) {
  using namespace region_cell;
  std::vector<std::string>& f = record.Fields;
  LayerRow& row = load.Tables.ListOfRegions.AddCells(kCells);
  row.At(Type) = std::move(f[region_field::Type]);
  row.At(PointCount) = std::move(f[region_field::PointCount]);
  row.At(Points) = std::move(f[region_field::Points]);
  row.At(NumberCount) = std::move(f[region_field::NumberCount]);
  row.At(NumberPoints) = std::move(f[region_field::NumberPoints]);
  PutBoxCells(load.Extents, row, kBox, PointsOfCells(row.Cell(PointCount), row.Cell(Points)));
}

const LayerReading kRegions{RegionsFiles(), RegionRecordFormat, "Ошибка при открытии!", "Отсутствует файл с областями!",
                            [](CityTables& t) { t.ListOfRegions.Clear(); }, AddRegionRow};

}  // namespace

void LoadRegions(const LayerLoad& load) { LoadLayer(load, kRegions); }
