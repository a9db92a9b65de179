#pragma once
#include <QRect>

#include "mapdata/LayerLoad.h"

// What the map logic needs from its surroundings: the viewer's windows, or the
// command-line tool and the tests, which record instead of showing.  The
// messages, the city window's repaint and the pending events come with the
// load's host (LayerLoad.h).
class MapHost : public LoadHost {
 public:
  // The map window is painted at once (its paint routine runs PaintMapArea).
  virtual void PaintMapWindow() {}
  // The part of the map window that shows the map, in window pixels: the map
  // area less the tool bar and the side panels that are shown.  Every
  // centring of the view aims at its middle.
  virtual QRect VisibleMapRect() const = 0;
  // The screen's size in pixels.
  virtual int ScreenPixelWidth() const = 0;
  virtual int ScreenPixelHeight() const = 0;
};
