#include "interaction/HoverHint.h"

#include "interaction/HitTest.h"
#include "render/MapLayers.h"
#include "state/MapCore.h"

namespace {

void ShowFirmHint(MapCore& core, int row) {
  const LayerTable& firms = core.Tables.ListOfFirms;
  InteractionState& i = core.Interaction;
  i.HintLine1 = firms.CellAt(row, firm_cell::Name);
  i.HintLine2 = JoinedWithSpace(firms.CellAt(row, firm_cell::Street), firms.CellAt(row, firm_cell::Number));
  i.HintVisible = true;
}

void ShowObjectHint(MapCore& core, int row) {
  const LayerTable& objects = core.Tables.ListOfObjects;
  InteractionState& i = core.Interaction;
  i.HintLine1 = JoinedWithSpace(objects.CellAt(row, object_cell::Kind), objects.CellAt(row, object_cell::Name));
  // A street written as a single space means the object has no address.
  const std::string_view street = objects.CellAt(row, object_cell::Street);
  if (street != " ") i.HintLine2 = JoinedWithSpace(street, objects.CellAt(row, object_cell::Number));
  i.HintVisible = true;
}

}  // namespace

bool BuildHoverHint(MapCore& core) {
  InteractionState& i = core.Interaction;
  i.HintLine1.clear();
  i.HintLine2.clear();
  i.HintVisible = false;
  i.HintTimerEnabled = false;

  i.HintPlace = PlaceOf(core.View);
  const HitPoint at = WindowToHit(core.View, i.MouseX, i.MouseY);
  if (LayerShown(core.Flags, LayerOf(DrawCode::Firm))) {
    if (const auto firm = FoundFirmAt(core, at)) {
      ShowFirmHint(core, *firm);
      return true;
    }
  }
  if (LayerShown(core.Flags, LayerOf(DrawCode::Object))) {
    if (const auto object = ShownObjectAt(core, at)) ShowObjectHint(core, *object);
  }
  return i.HintVisible;
}

// A hint that was shown and is no more is painted away too: it must not stay
// on the window, or follow the mouse, over what it does not describe.
void ShowHoverHint(MapCore& core) {
  const bool wasVisible = core.Interaction.HintVisible;
  if (BuildHoverHint(core) || wasVisible) core.Host.PaintMapWindow();
}

// The window is painted even when HintVisible is already false: a tick that
// found nothing leaves an earlier hint written on the window.
void HideHoverHint(MapCore& core) {
  InteractionState& i = core.Interaction;
  i.HintTimerEnabled = false;
  i.HintVisible = false;
  core.Host.PaintMapWindow();
}
