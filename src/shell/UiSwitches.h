#pragma once
#include <cstdint>
#include <string>
#include <utility>

// Controls whose state the core logic reads or sets; the widgets mirror them.
struct UiSwitches {
  bool N8ZoomOnSelect = true;   // "Зумировать при выделении"
  bool N10ShowInfo = true;      // "Показывать информацию"
  int TrackBar1Position = 1;    // TrackBar1, 1..30, design position 1
  std::string ZoomEditText;     // ZoomEdit
  uint64_t ZoomEditWrites = 0;  // one more at every write, same text or not
  std::string ObjectComboBoxText;  // the object-kind chooser's edit text, Windows-1251
  bool PanelSearchVisible = true;     // list search panel (SpeedButton1, N15)
  bool FirmSearchPanelVisible = false;  // firm search panel (SpeedButton2, N16)
  bool PanelPathVisible = false;      // routes panel (N17)

  // ZoomEdit is set to `text`, replacing whatever was typed into it.
  void WriteZoomEdit(std::string text) {
    ZoomEditText = std::move(text);
    ++ZoomEditWrites;
  }
};
