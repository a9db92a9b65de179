// The regions layer: type, point count, outline and the two house-number fields
// (kept as text) per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddRegionRow(const LayerLoad& load, std::string_view, ReadRecordResult& record) {
  const std::vector<std::string_view>& f = record.Fields;
  const BoxText box(WidenByBox(load.Extents, record.Points));
  // In the order of region_cell.
  load.Tables.ListOfRegions.AddRow({f[region_field::Type], f[region_field::PointCount], f[region_field::Points],
                                    f[region_field::NumberCount], f[region_field::NumberPoints], box.MinX.View(),
                                    box.MinY.View(), box.MaxX.View(), box.MaxY.View()});
}

const LayerReading kRegions{.Step = "Области...",
                            .Timed = "LoadRegions",
                            .Files = {.Plain = "Data/Regions.txt", .Scrambled = "Data/Regions.crpt"},
                            .Format = RegionRecordFormat,
                            .PlainOpenFailure = "Ошибка при открытии!",
                            .ScrambledOpenFailure = "Отсутствует файл с областями!",
                            .Clear = [](CityTables& t) { t.ListOfRegions.Clear(); },
                            .AddRow = AddRegionRow};

}  // namespace

const LayerReading& RegionsReading() { return kRegions; }
