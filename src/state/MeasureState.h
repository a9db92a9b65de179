#pragma once
// «Измерить расстояние»: the points clicked so far (map units with their
// fractions) and the length of the line through them.  While Active, left
// clicks add points; once ended the line and its length stay shown until the
// next click on the map.
#include <string>
#include <vector>

#include "mapdata/Geodesic.h"

struct MeasureState {
  bool Active = false;          // clicks add points
  std::vector<MapSpot> Points;  // none: nothing measured is shown
  double Metres = 0;            // the geodesic length through Points
  std::string StatusText;       // the status bar's, UTF-8; empty: none
};
