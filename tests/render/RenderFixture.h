#pragma once
// A map window without a window: a MapCore on a recording host, tables filled
// row by row, drawn into its picture.
#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include "render/DrawList.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "support/StyleColours.h"
#include "support/TableRows.h"
#include "view/RedrawView.h"

class RenderFixture : public ::testing::Test {
 protected:
  // A 200 x 150 screen: the picture is 400 x 300.  At scale 1 with offsets 0,
  // map units are picture pixels.
  RenderFixture() : host(200, 150), core(host, "/nonexistent-data-root") {
    core.View.ScreenWidth = 200;
    core.View.ScreenHeight = 150;
    SizeMapPicture(core);
  }

  void SetView(float scale, int offsetX = 0, int offsetY = 0) {
    core.View.Scale = scale;
    core.View.OffsetX = offsetX;
    core.View.OffsetY = offsetY;
  }

  // Builds the draw list for everything added, at scale 1 as the city load
  // does, and redraws the picture at the view's scale.
  void Draw() {
    const float scale = core.View.Scale;
    core.View.Scale = 1.0f;
    const MapExtents& e = core.Extents;
    BuildDrawList(core.Tables, core.View, e.Box());
    core.View.Scale = scale;
    RedrawView(core);
  }

  QColor Pixel(int x, int y) const { return QColor(core.Map.pixel(x, y)); }

  // Pixels of `color` along the column x from y0 to y1 (inclusive).
  int RunLengthVertical(int x, int y0, int y1, const QColor& color) const {
    int n = 0;
    for (int y = y0; y <= y1; ++y) n += Pixel(x, y) == color ? 1 : 0;
    return n;
  }

  int CountPixels(const QRect& area, const QColor& color) const {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) n += Pixel(x, y) == color ? 1 : 0;
    return n;
  }

  RecordingHost host;
  MapCore core;
};

