#include "interaction/LayerToggles.h"

#include "state/MapCore.h"
#include "view/RedrawView.h"

void ShowLayer(MapCore& core, DrawCode layer, bool shown) {
  SetLayerShown(core.Flags, LayerOf(layer), shown);
  RedrawView(core);
  core.Host.PaintMapWindow();
}

void ShowAllIcons(MapCore& core, bool on) {
  core.Flags.AllIcons = on;
  RedrawView(core);
  core.Host.PaintMapWindow();
}

void SetClickSelect(MapCore& core, bool on) { core.Interaction.ClickSelect = on; }
