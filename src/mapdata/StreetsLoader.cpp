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

const LayerReading kStreets{"Улицы...",
                            "LoadStreets",
                            {"Data/Streets.txt", "Data/Streets.crpt"},
                            StreetRecordFormat,
                            "Ошибка при открытии!",
                            "Отсутствует файл с улицами!",
                            [](CityTables& t) { t.ListOfStreets.Clear(); },
                            AddStreetRow};

}  // namespace

const LayerReading& StreetsReading() { return kStreets; }
