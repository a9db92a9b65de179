// The objects layer: kind, address, name, position and icon index per record;
// each object names its kind in the object-kind chooser.
#include "mapdata/BoxCells.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "shell/MapCore.h"

namespace {

void AddObjectRow(MapCore& core, const fs::path& file, ReadRecordResult& record) {
  LayerRow& row = core.Tables.ListOfObjects.Add(std::move(record.Fields[0]));
  for (size_t i = 1; i < 5; ++i) row.SubItems.push_back(std::move(record.Fields[i]));
  row.SubItems.push_back(FileCell(file));
  row.SubItems.push_back(std::move(record.Fields[5]));
}

void ReadObjects(MapCore& core, const fs::path& file, LayerVariant variant) {
  ReadLayerFile(core, file, variant, ObjectRecordFormat(), "Ошибка при открытии!",
                [&](ReadRecordResult& record) { AddObjectRow(core, file, record); });
}

// The entry of the kind, if the index names one.
void NameObjectKind(MapCore& core, const LayerRow& row) {
  int32_t icon = -1;
  std::vector<ObjectKindEntry>& chooser = core.Tables.ObjectComboBox;
  if (ParseDecimalInt(row.Cell(5), icon) && icon >= 0 && static_cast<size_t>(icon) < chooser.size())
    chooser[static_cast<size_t>(icon)].Caption = row.Caption;
}

// The last entry stands for all kinds.  The chooser reads "Все" again, and so
// every kind is shown again: a filter chosen in an earlier city would otherwise
// hide objects behind a chooser that says all are shown.
void NameAllKindsEntry(MapCore& core) {
  static const std::string all = cp1251::FromUtf8("Все");
  core.Ui.ObjectComboBoxText = all;
  core.Flags.ObjectFilter = -1;
  const auto last = static_cast<long>(core.Tables.ImageListObject.size()) - 1;
  std::vector<ObjectKindEntry>& chooser = core.Tables.ObjectComboBox;
  if (last >= 0 && static_cast<size_t>(last) < chooser.size())
    chooser[static_cast<size_t>(last)] = ObjectKindEntry{all, -1};
}

}  // namespace

void LoadObjects(MapCore& core, const std::string& city) {
  core.Tables.ListOfObjects.Clear();
  const CityLocation where{core.DataRoot, city};
  const fs::path scrambled = where.File(ObjectsFiles().Scrambled);
  if (FileExists(scrambled))
    ReadObjectsScrambled(core, scrambled);
  else
    ReadObjectsText(core, where.File(ObjectsFiles().Plain));
  for (int r = 0; r < core.Tables.ListOfObjects.Count(); ++r) AppendObjectPoint(core, r);
}

void ReadObjectsText(MapCore& core, const fs::path& file) {
  if (!FileExists(file)) return;
  ReadObjects(core, file, LayerVariant::Plain);
}

void ReadObjectsScrambled(MapCore& core, const fs::path& file) { ReadObjects(core, file, LayerVariant::Scrambled); }

void AppendObjectPoint(MapCore& core, int rowIndex) {
  LayerRow& row = core.Tables.ListOfObjects[rowIndex];
  NameObjectKind(core, row);
  NameAllKindsEntry(core);
  AppendPointCells(core, row, row.Cell(3));
}
