#include "info/InfoPanel.h"

#include "state/MapCore.h"

void HideInfoPanel(MapCore& core) { core.Info.Visible = false; }

void ToggleFirmInfo(MapCore& core) { core.Ui.ShowFirmInfo = !core.Ui.ShowFirmInfo; }

const std::string& FirmPicturePath(const MapCore& core, int k) {
  static const std::string none;
  switch (k) {
    case 1: return core.Selection.SelFirmPicture1;
    case 2: return core.Selection.SelFirmPicture2;
    case 3: return core.Selection.SelFirmPicture3;
    default: return none;
  }
}
