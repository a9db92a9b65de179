#pragma once
// Handlers of the information panel and of its menu switch that need no widget:
// the panel widget and the menu call these and then mirror the state.
#include <string>

struct MapCore;

// The close button: hides InfoPanel.
void HideInfoPanel(MapCore& core);
// "Показывать информацию": only toggles the tick; it takes effect at the
// next firm selection.
void ToggleFirmInfo(MapCore& core);
// Full path of the selected firm's picture k (1..3) for FirmPic1..FirmPic3; empty
// when the firm has no such picture (the button is then disabled).
const std::string& FirmPicturePath(const MapCore& core, int k);
