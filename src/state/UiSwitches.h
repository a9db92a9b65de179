#pragma once
#include <cstdint>
#include <string>
#include <utility>

// Controls whose state the core logic reads or sets; the widgets mirror them.
struct UiSwitches {
  bool ZoomOnSelect = true;   // "Зумировать при выделении"
  bool ShowFirmInfo = true;      // "Показывать информацию"
  int ZoomSliderPosition = 1;    // the zoom slider, 1..30, design position 1
  std::string ZoomEditText;     // ZoomEdit
  uint64_t ZoomEditWrites = 0;  // one more at every write, same text or not
  std::string ObjectComboBoxText;  // the object-kind chooser's edit text, Windows-1251
  bool PanelSearchVisible = true;     // list search panel (ListPanelButton, "Поиск по списку")
  bool FirmSearchPanelVisible = false;  // firm search panel (FirmPanelButton, "Поиск по фирмам")
  bool PanelPathVisible = false;      // routes panel ("Маршруты - Показать панель")
  bool ShowScaleBar = true;           // «Масштабная линейка» (a georeferenced city's only)

  // ZoomEdit is set to `text`, replacing whatever was typed into it.
  void WriteZoomEdit(std::string text) {
    ZoomEditText = std::move(text);
    ++ZoomEditWrites;
  }
};
