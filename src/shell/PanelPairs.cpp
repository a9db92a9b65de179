#include "shell/PanelPairs.h"

#include "state/MapCore.h"

void ShowListSearchPanel(MapCore& core) {
  core.Ui.PanelSearchVisible = true;
  HideRoutesPanel(core);
}

void HideListSearchPanel(MapCore& core) { core.Ui.PanelSearchVisible = false; }

void ShowFirmSearchPanel(MapCore& core) { core.Ui.FirmSearchPanelVisible = true; }

void HideFirmSearchPanel(MapCore& core) { core.Ui.FirmSearchPanelVisible = false; }

void ShowRoutesPanel(MapCore& core) {
  core.Ui.PanelPathVisible = true;
  HideListSearchPanel(core);
}

void HideRoutesPanel(MapCore& core) { core.Ui.PanelPathVisible = false; }
