// The objects layer: kind, address, name, position and icon index per record;
// each object names its kind in the object-kind chooser.
#include "mapdata/BoxCells.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

// X and Y are the first point; the point list was checked when the record was read.
void AddObjectRow(const LayerLoad& load, std::string_view fileCell, ReadRecordResult& record) {
  const std::vector<std::string_view>& f = record.Fields;
  const MapPoint p = WidenByPoint(load.Extents, record.Points);
  // In the order of object_cell.
  load.Tables.ListOfObjects.AddRow({f[object_field::Kind], f[object_field::Street], f[object_field::Number],
                                    f[object_field::Name], f[object_field::Position], fileCell,
                                    f[object_field::Icon], NumberText(p.X).View(), NumberText(p.Y).View()});
}

// The entry of the kind, if the index names one.
void NameObjectKind(CityTables& tables, const LayerRow& row) {
  int32_t icon = -1;
  std::vector<ObjectKindEntry>& chooser = tables.ObjectComboBox;
  if (ParseDecimalInt(row.Cell(object_cell::Icon), icon) && icon >= 0 && static_cast<size_t>(icon) < chooser.size())
    chooser[static_cast<size_t>(icon)].Caption = std::string(row.Cell(object_cell::Kind));
}

// The last entry, the one of the placeholder icon, stands for all kinds.
void NameAllKindsEntry(CityTables& tables) {
  static const std::string all = cp1251::FromUtf8("Все");
  const auto last = static_cast<long>(tables.ImageListObject.size()) - 1;
  std::vector<ObjectKindEntry>& chooser = tables.ObjectComboBox;
  if (last >= 0 && static_cast<size_t>(last) < chooser.size())
    chooser[static_cast<size_t>(last)] = ObjectKindEntry{all, -1};
}

// Once every row is read: each names its kind.
void FinishObjects(const LayerLoad& load) {
  for (const LayerRow& row : load.Tables.ListOfObjects.Rows()) {
    NameObjectKind(load.Tables, row);
    NameAllKindsEntry(load.Tables);
  }
}

const LayerReading kObjects{.Step = "Объекты...",
                            .Timed = "LoadObjects",
                            .Files = {.Plain = "Data/Objects.txt", .Scrambled = "Data/Objects.crpt"},
                            .Format = ObjectRecordFormat,
                            .PlainOpenFailure = "Ошибка при открытии!",
                            .ScrambledOpenFailure = "Ошибка при открытии!",
                            .Clear = [](CityTables& t) { t.ListOfObjects.Clear(); },
                            .AddRow = AddObjectRow,
                            .Finish = FinishObjects};

}  // namespace

const LayerReading& ObjectsReading() { return kObjects; }
