#pragma once
// The scale bar of a georeferenced city: in the bottom left corner of the
// visible map, a bar of a round length (1, 2 or 5 x 10^n metres) about 80 to
// 150 pixels long, labelled "500 м", "2 км".  Its length holds at the middle
// of the visible map: the ground metres per pixel are measured there along
// the geodesic, so the projection's growing scale away from its central
// meridian is taken out.  No bar for a city without a georeference, or with
// «Масштабная линейка» unticked.
#include <QRect>

#include <optional>
#include <string>

#include "mapdata/Geodesic.h"
#include "render/ViewState.h"

class QPainter;
struct MapCore;

struct ScaleBar {
  int Pixels = 0;      // the bar's length on the screen
  double Metres = 0;   // the round length it stands for
  std::string Label;   // "500 м", "2 км", UTF-8
  bool operator==(const ScaleBar&) const = default;
};

// The bar's length bounds: a round length whose bar falls within them is
// taken; where none does (the step from 2 to 5 is wider than the range), the
// one nearest to them by ratio (at worst 69 or 173 pixels).
constexpr int kScaleBarShortest = 80;
constexpr int kScaleBarLongest = 150;

// The round length for `metresPerPixel` (positive, finite), else none.
std::optional<ScaleBar> RoundScaleBar(double metresPerPixel);
// "500 м", "2 км", "0,5 м": a round length as the bar's label.
std::string ScaleBarLabel(double metres);

// The map point under window pixel `at` in the view `v`, with its fraction.
MapSpot WindowToMapSpot(const ViewState& v, double x, double y);

// The bar the window shows for the visible map `visible` (window pixels):
// none without a georeference, with the switch off, or where the middle of
// the visible map has no latitude.
std::optional<ScaleBar> ScaleBarOf(const MapCore& core, const QRect& visible);

// Where the bar itself lies (its thick line, `bar.Pixels` long) in the
// visible map: 12 pixels in from its bottom left corner.
QRect ScaleBarLine(const QRect& visible, const ScaleBar& bar);
// Draws the bar with its label over the window's map.
void DrawScaleBar(QPainter& window, const QRect& visible, const ScaleBar& bar);
