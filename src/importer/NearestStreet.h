#pragma once
// The nearest named street to a point, for a point of interest that has no
// address and no house around it: a grid of the streets' segments searched
// ring by ring outwards, so that tens of thousands of points take no longer
// than reading them.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "importer/Features.h"

class NearestStreet {
 public:
  // Named streets only, bridges left aside (a bridge's name is no address).
  explicit NearestStreet(const std::vector<LineFeature>& lines);

  // The street nearest to `p` as its label reads ("улица Садовая" for a way
  // named "Садовая улица": type first, as the status bar writes it), or
  // nullptr when there is none.
  const std::string* At(GeoPoint p) const;

 private:
  struct Segment {
    uint32_t Line, Point;  // from Points[Point] to Points[Point + 1]
  };
  void AddSegment(const std::vector<GeoPoint>& points, Segment s);
  double SquaredMetres(GeoPoint p, const Segment& s) const;

  const std::vector<LineFeature>& lines_;
  double metresPerX_ = 0;  // at the streets' middle latitude
  std::unordered_map<int64_t, std::vector<Segment>> cells_;
  int32_t minCellX_ = 0, minCellY_ = 0, maxCellX_ = -1, maxCellY_ = -1;
};
