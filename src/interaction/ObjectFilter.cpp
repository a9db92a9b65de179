#include "interaction/ObjectFilter.h"

#include "render/RedrawView.h"
#include "shell/MapCore.h"

void ObjectComboBoxSelect(MapCore& core, int index) {
  core.Flags.ObjectFilter = index;
  if (index == static_cast<int>(core.Tables.ObjectComboBox.size()) - 1) core.Flags.ObjectFilter = -1;
  RedrawView(core);
  core.Host.PaintMapWindow();
}
