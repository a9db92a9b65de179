#pragma once
#include "mapdata/LayerLoad.h"

// What the map logic needs from its surroundings: the viewer's windows, or the
// command-line tool and the tests, which record instead of showing.  The
// messages, the city window's repaint and the pending events come with the
// load's host (LayerLoad.h).
class MapHost : public LoadHost {
 public:
  // The map window is painted at once (its paint routine runs FormPaint).
  virtual void PaintMapWindow() {}
  // The map window's outer size, used when a selected object or route is centred.
  virtual int WindowOuterWidth() const = 0;
  virtual int WindowOuterHeight() const = 0;
  // The screen's size in pixels.
  virtual int ScreenPixelWidth() const = 0;
  virtual int ScreenPixelHeight() const = 0;
};
