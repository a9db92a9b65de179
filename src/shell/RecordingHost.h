#pragma once
#include <string>
#include <vector>

#include "state/MapHost.h"

// The screen a host without windows stands for unless told otherwise: the
// command-line tool's and the tests' map window.
inline constexpr int kDefaultScreenWidth = 1024;
inline constexpr int kDefaultScreenHeight = 768;

// A host without windows: messages are collected in order, paints are counted.
class RecordingHost : public MapHost {
 public:
  RecordingHost(int screenWidth = kDefaultScreenWidth, int screenHeight = kDefaultScreenHeight)
      : VisibleMap(0, 0, screenWidth, screenHeight), screenW_(screenWidth), screenH_(screenHeight) {}

  void ShowMessage(const std::string& utf8Text) override { Messages.push_back(utf8Text); }
  void RepaintCityWindow() override { ++CityRepaints; }
  void PaintMapWindow() override { ++MapPaints; }
  QRect VisibleMapRect() const override { return VisibleMap; }
  int ScreenPixelWidth() const override { return screenW_; }
  int ScreenPixelHeight() const override { return screenH_; }

  std::vector<std::string> Messages;
  int CityRepaints = 0;
  int MapPaints = 0;
  QRect VisibleMap;  // the whole window unless a test narrows it

 private:
  int screenW_, screenH_;
};
