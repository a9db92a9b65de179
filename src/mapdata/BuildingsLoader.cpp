// The buildings layer: street, number, name, point count and outline per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddBuildingRow(const LayerLoad& load, std::string_view fileCell, ReadRecordResult& record) {
  const std::vector<std::string_view>& f = record.Fields;
  const BoxText box(WidenByBox(load.Extents, record.Points));
  // In the order of building_cell.
  load.Tables.ListOfBuildings.AddRow({f[building_field::Street], f[building_field::Number], f[building_field::Name],
                                      f[building_field::PointCount], f[building_field::Points], fileCell,
                                      box.MinX.View(), box.MinY.View(), box.MaxX.View(), box.MaxY.View()});
}

const LayerReading kBuildings{.Step = "Здания...",
                              .Timed = "LoadBuildings",
                              .Files = {.Plain = "Data/Buildings.txt", .Scrambled = "Data/Buildings.crpt"},
                              .Format = BuildingRecordFormat,
                              .PlainOpenFailure = "Ошибка при открытии файла здания!",
                              .ScrambledOpenFailure = "Ошибка при открытии файла зданий!",
                              .Clear = [](CityTables& t) { t.ListOfBuildings.Clear(); },
                              .AddRow = AddBuildingRow};

}  // namespace

const LayerReading& BuildingsReading() { return kBuildings; }
