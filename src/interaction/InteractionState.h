#pragma once
#include <cstdint>
#include <string>

#include "render/ViewState.h"

// Interaction mode and hover hint.
struct InteractionState {
  std::string Mode = "Normal";      // "Normal", "MapDrag" or "StreetSelect"
  std::string PrevMode = "Normal";  // mode to return to after a drag or a highlight
  int32_t MouseX = 0;               // last mouse position over the map, window pixels
  int32_t MouseY = 0;
  bool HintTimerEnabled = false;    // HintTimer, 100 ms
  bool HintVisible = false;
  std::string HintLine1;            // Windows-1251
  std::string HintLine2;
  ViewPlace HintPlace;              // the view the hint was found in
};
