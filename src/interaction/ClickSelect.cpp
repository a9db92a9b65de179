// The map click: a found firm under the mouse wins over an object; a click on
// nothing leaves the selection as it was.
#include "interaction/ClickSelect.h"

#include "info/Selection.h"
#include "interaction/HitTest.h"
#include "render/MapLayers.h"
#include "shell/MapCore.h"

void SelectAtPoint(MapCore& core, int32_t x, int32_t y, bool centre) {
  const HitPoint at = WindowToHit(core.View, x, y);
  if (LayerShown(core.Flags, LayerOf(DrawCode::Firm))) {
    if (const auto firm = FoundFirmAt(core, at)) {
      ResetSelection(core);
      ShowObjectInfo(core, *firm, centre);
      return;
    }
  }
  if (LayerShown(core.Flags, LayerOf(DrawCode::Object)) && core.Flags.ClickSelect) {
    if (const auto object = ShownObjectAt(core, at)) SelectObject(core, *object, centre);
  }
}
