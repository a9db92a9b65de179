#include "interaction/ObjectFilter.h"

#include "mapdata/Cp1251.h"
#include "render/RedrawView.h"
#include "shell/MapCore.h"

void FilterObjectKind(LayerFlags& switches, int32_t kind) { switches.ObjectFilter = kind; }

int32_t ObjectKindOfEntry(const CityTables& tables, int index) {
  return index == static_cast<int>(tables.ObjectComboBox.size()) - 1 ? -1 : index;
}

void ObjectComboBoxSelect(MapCore& core, int index) {
  FilterObjectKind(core.Flags, ObjectKindOfEntry(core.Tables, index));
  RedrawView(core);
  core.Host.PaintMapWindow();
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
