#include "interaction/ObjectFilter.h"

#include "mapdata/Cp1251.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"

void FilterObjectKind(LayerFlags& switches, int32_t kind) { switches.ObjectFilter = kind; }

int32_t ObjectKindOfEntry(const CityTables& tables, int index) {
  return index == static_cast<int>(tables.ObjectComboBox.size()) - 1 ? -1 : index;
}

void ChooseObjectEntry(MapCore& core, int index) {
  FilterObjectKind(core.Flags, ObjectKindOfEntry(core.Tables, index));
  RedrawView(core);
  core.Host.PaintMapWindow();
}

bool ChooseObjectKind(MapCore& core, int32_t kind) {
  const std::vector<ObjectKindEntry>& entries = core.Tables.ObjectComboBox;
  const int64_t all = static_cast<int64_t>(entries.size()) - 1;  // the last entry, "Все"
  if (all < 0 || (kind != -1 && (kind < 0 || kind >= all))) return false;
  core.Ui.ObjectComboBoxText = entries[static_cast<size_t>(kind == -1 ? all : kind)].Caption;
  FilterObjectKind(core.Flags, kind);
  return true;
}

void ForgetObjectFilter(MapCore& core) {
  core.Ui.ObjectComboBoxText.clear();
  FilterObjectKind(core.Flags, -1);
}

void ShowAllObjectKinds(MapCore& core) {
  static const std::string all = cp1251::FromUtf8("Все");
  core.Ui.ObjectComboBoxText = all;
  FilterObjectKind(core.Flags, -1);
}
