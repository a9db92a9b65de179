#include "interaction/HoverHint.h"

#include "info/RecordCells.h"
#include "interaction/HitTest.h"
#include "shell/MapCore.h"

namespace {

void ShowFirmHint(MapCore& core, int row) {
  const LayerTable& firms = core.Tables.ListOfFirms;
  InteractionState& i = core.Interaction;
  i.HintLine1 = ColumnCell(firms, row, "Название");
  i.HintLine2 = ColumnCell(firms, row, "Улица") + " " + ColumnCell(firms, row, "Номер");
  i.HintVisible = true;
}

void ShowObjectHint(MapCore& core, int row) {
  const LayerTable& objects = core.Tables.ListOfObjects;
  InteractionState& i = core.Interaction;
  i.HintLine1 = ColumnCell(objects, row, "Объект") + " " + ColumnCell(objects, row, "Название");
  // A street written as a single space means the object has no address.
  const std::string& street = ColumnCell(objects, row, "Улица");
  if (street != " ") i.HintLine2 = street + " " + ColumnCell(objects, row, "Номер");
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
  if (core.Flags.ShowFoundFirms) {
    if (const auto firm = FoundFirmAt(core, at)) {
      ShowFirmHint(core, *firm);
      return true;
    }
  }
  if (core.Flags.ShowObjects) {
    if (const auto object = ShownObjectAt(core, at)) ShowObjectHint(core, *object);
  }
  return i.HintVisible;
}

void HintTimerTimer(MapCore& core) {
  if (BuildHoverHint(core)) core.Host.PaintMapWindow();
}

// The window is painted even when HintVisible is already false: a tick that
// found nothing leaves an earlier hint written on the window.
void HideHoverHint(MapCore& core) {
  InteractionState& i = core.Interaction;
  i.HintTimerEnabled = false;
  i.HintVisible = false;
  core.Host.PaintMapWindow();
}

void ForgetHintOfOtherView(MapCore& core) {
  InteractionState& i = core.Interaction;
  if (i.HintPlace != PlaceOf(core.View)) i.HintVisible = false;
}
