#include "interaction/ObjectFilter.h"

#include "mapdata/Cp1251.h"
#include "render/RedrawView.h"
#include "shell/MapCore.h"

void ObjectComboBoxSelect(MapCore& core, int index) {
  core.Flags.ObjectFilter = index;
  if (index == static_cast<int>(core.Tables.ObjectComboBox.size()) - 1) core.Flags.ObjectFilter = -1;
  RedrawView(core);
  core.Host.PaintMapWindow();
}

void ForgetObjectFilter(MapCore& core) {
  core.Ui.ObjectComboBoxText.clear();
  core.Flags.ObjectFilter = -1;
}

void ShowAllObjectKinds(MapCore& core) {
  static const std::string all = cp1251::FromUtf8("Все");
  core.Ui.ObjectComboBoxText = all;
  core.Flags.ObjectFilter = -1;
}
