// The objects layer: kind, address, name, position and icon index per record;
// each object names its kind in the object-kind chooser.
#include "mapdata/BoxCells.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

const FieldCell kPlaces[] = {{object_field::Kind, object_cell::Kind},       {object_field::Street, object_cell::Street},
                             {object_field::Number, object_cell::Number},   {object_field::Name, object_cell::Name},
                             {object_field::Position, object_cell::Points}, {object_field::Icon, object_cell::Icon}};

// X and Y are filled once every row is read.
void AddObjectRow(const LayerLoad& load, const fs::path& file, ReadRecordResult& record) {
  AddFieldsRow(load.Tables.ListOfObjects, object_cell::kCells, record.Fields, kPlaces).At(object_cell::File) =
      FileCell(file);
}

// The entry of the kind, if the index names one.
void NameObjectKind(CityTables& tables, const LayerRow& row) {
  int32_t icon = -1;
  std::vector<ObjectKindEntry>& chooser = tables.ObjectComboBox;
  if (ParseDecimalInt(row.Cell(object_cell::Icon), icon) && icon >= 0 && static_cast<size_t>(icon) < chooser.size())
    chooser[static_cast<size_t>(icon)].Caption = row.Cell(object_cell::Kind);
}

// The last entry, the one of the placeholder icon, stands for all kinds.
void NameAllKindsEntry(CityTables& tables) {
  static const std::string all = cp1251::FromUtf8("Все");
  const auto last = static_cast<long>(tables.ImageListObject.size()) - 1;
  std::vector<ObjectKindEntry>& chooser = tables.ObjectComboBox;
  if (last >= 0 && static_cast<size_t>(last) < chooser.size())
    chooser[static_cast<size_t>(last)] = ObjectKindEntry{all, -1};
}

// Once every row is read: each names its kind, and gets its point cells.
void FinishObjects(const LayerLoad& load) {
  for (LayerRow& row : load.Tables.ListOfObjects.Rows()) {
    NameObjectKind(load.Tables, row);
    NameAllKindsEntry(load.Tables);
    PutPointCells(load.Extents, row, object_cell::kBox, row.Cell(object_cell::Points));
  }
}

const LayerReading kObjects{"Объекты...",
                            {"Data/Objects.txt", "Data/Objects.crpt"},
                            ObjectRecordFormat,
                            "Ошибка при открытии!",
                            "Ошибка при открытии!",
                            [](CityTables& t) { t.ListOfObjects.Clear(); },
                            AddObjectRow,
                            FinishObjects};

}  // namespace

const LayerReading& ObjectsReading() { return kObjects; }
