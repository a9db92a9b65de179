#pragma once
#include <cstdint>
#include <string>

#include "render/ViewState.h"

// The interaction mode `Mode`: "Normal", "MapDrag" (while the map is dragged)
// or "StreetSelect" (while Ctrl is held and the labels are highlighted).
enum class InteractionMode { Normal, MapDrag, StreetSelect };

// Interaction mode, hover hint and the click-selection switch.
struct InteractionState {
  bool ClickSelect = true;  // "Выделение щелчком": a left click on the map selects objects
  InteractionMode Mode = InteractionMode::Normal;
  InteractionMode PrevMode = InteractionMode::Normal;  // mode to return to after a drag or a highlight
  int32_t MouseX = 0;               // last mouse position over the map, window pixels
  int32_t MouseY = 0;
  bool HintTimerEnabled = false;    // HintTimer, 100 ms
  bool HintVisible = false;
  std::string HintLine1;            // Windows-1251
  std::string HintLine2;
  ViewPlace HintPlace;              // the view the hint was found in
  // A left press that chose no firm or object, and where it was: released
  // there, it chooses the building or street under it.
  bool GroundPress = false;
  int32_t PressX = 0, PressY = 0;
};
