#pragma once
#include <string>
#include <vector>

#include "shell/MapHost.h"

// A host without windows: messages are collected in order, paints are counted.
class RecordingHost : public MapHost {
 public:
  RecordingHost(int screenWidth = 1024, int screenHeight = 768) : screenW_(screenWidth), screenH_(screenHeight) {}

  void ShowMessage(const std::string& utf8Text) override { Messages.push_back(utf8Text); }
  void RepaintCityWindow() override { ++CityRepaints; }
  void PaintMapWindow() override { ++MapPaints; }
  int WindowOuterWidth() const override { return OuterWidth; }
  int WindowOuterHeight() const override { return OuterHeight; }
  int ScreenPixelWidth() const override { return screenW_; }
  int ScreenPixelHeight() const override { return screenH_; }

  std::vector<std::string> Messages;
  int CityRepaints = 0;
  int MapPaints = 0;
  int OuterWidth = 1024;
  int OuterHeight = 768;

 private:
  int screenW_, screenH_;
};
