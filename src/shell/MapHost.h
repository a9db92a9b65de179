#pragma once
#include <string>

// What the map logic needs from its surroundings: the viewer's windows, or the
// command-line tool and the tests, which record instead of showing.
class MapHost {
 public:
  virtual ~MapHost() = default;
  // A modal message box with an OK button; returns when it is closed.  UTF-8.
  virtual void ShowMessage(const std::string& utf8Text) = 0;
  // The city-selection window is repainted at once (load progress).
  virtual void RepaintCityWindow() {}
  // One pass of pending-message processing.
  virtual void ProcessPendingEvents() {}
  // The map window is painted at once (its paint routine runs FormPaint).
  virtual void PaintMapWindow() {}
  // The map window's outer size, used when a selected object or route is centred.
  virtual int WindowOuterWidth() const = 0;
  virtual int WindowOuterHeight() const = 0;
  // The screen's size in pixels.
  virtual int ScreenPixelWidth() const = 0;
  virtual int ScreenPixelHeight() const = 0;
};
