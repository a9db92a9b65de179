#pragma once
#include <QImage>

#include <string>
#include <vector>

// Content of the information panel of a selected firm; the panel widget shows it.
struct InfoPanelState {
  bool Visible = false;              // InfoPanel
  std::vector<std::string> FirmTextLines;    // lines of the firm's .inf, Windows-1251
  std::string ObjNameLabel;          // Windows-1251
  std::string ObjAdressLabel;
  bool FirmPicEnabled[3] = {false, false, false};  // FirmPic1..FirmPic3
  bool InfoImageVisible = false;
  QImage InfoImage;                  // the firm's header picture
};
