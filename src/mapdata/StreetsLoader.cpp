// The streets layer: name, type, width, point count and point list per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

// The cells of the name's own points stay empty.
void AddStreetRow(const LayerLoad& load, std::string_view fileCell, ReadRecordResult& record) {
  const std::vector<std::string_view>& f = record.Fields;
  const BoxText box(WidenByBox(load.Extents, record.Points));
  // In the order of street_cell.
  load.Tables.ListOfStreets.AddRow({f[street_field::Name], f[street_field::Type], f[street_field::Width],
                                    f[street_field::PointCount], f[street_field::Points], fileCell, {}, {},
                                    box.MinX.View(), box.MinY.View(), box.MaxX.View(), box.MaxY.View()});
}

const LayerReading kStreets{.Step = "Улицы...",
                            .Timed = "LoadStreets",
                            .Files = {.Plain = "Data/Streets.txt", .Scrambled = "Data/Streets.crpt"},
                            .Format = StreetRecordFormat,
                            .PlainOpenFailure = "Ошибка при открытии!",
                            .ScrambledOpenFailure = "Отсутствует файл с улицами!",
                            .Clear = [](CityTables& t) { t.ListOfStreets.Clear(); },
                            .AddRow = AddStreetRow};

}  // namespace

const LayerReading& StreetsReading() { return kStreets; }
