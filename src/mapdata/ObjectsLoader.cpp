// The objects layer: kind, address, name, position and icon index per record;
// each object names its kind in the object-kind chooser.
#include "mapdata/BoxCells.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddObjectRow(const LayerLoad& load, const fs::path& file, ReadRecordResult& record) {
  LayerRow& row = load.Tables.ListOfObjects.Add(std::move(record.Fields[0]));
  for (size_t i = 1; i < 5; ++i) row.SubItems.push_back(std::move(record.Fields[i]));
  row.SubItems.push_back(FileCell(file));
  row.SubItems.push_back(std::move(record.Fields[5]));
}

const LayerReading kObjects{ObjectsFiles(), ObjectRecordFormat, "Ошибка при открытии!", "Ошибка при открытии!",
                            [](CityTables& t) { t.ListOfObjects.Clear(); }, AddObjectRow};

// The entry of the kind, if the index names one.
void NameObjectKind(CityTables& tables, const LayerRow& row) {
  int32_t icon = -1;
  std::vector<ObjectKindEntry>& chooser = tables.ObjectComboBox;
  if (ParseDecimalInt(row.Cell(5), icon) && icon >= 0 && static_cast<size_t>(icon) < chooser.size())
    chooser[static_cast<size_t>(icon)].Caption = row.Caption;
}

// The last entry, the one of the placeholder icon, stands for all kinds.
void NameAllKindsEntry(CityTables& tables) {
  static const std::string all = cp1251::FromUtf8("Все");
  const auto last = static_cast<long>(tables.ImageListObject.size()) - 1;
  std::vector<ObjectKindEntry>& chooser = tables.ObjectComboBox;
  if (last >= 0 && static_cast<size_t>(last) < chooser.size())
    chooser[static_cast<size_t>(last)] = ObjectKindEntry{all, -1};
}

}  // namespace

void LoadObjects(const LayerLoad& load) {
  LoadLayer(load, kObjects);
  for (LayerRow& row : load.Tables.ListOfObjects.Rows()) {
    NameObjectKind(load.Tables, row);
    NameAllKindsEntry(load.Tables);
    AppendPointCells(load.Extents, row, row.Cell(3));
  }
}
