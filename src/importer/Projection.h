#pragma once
// The map's projection: a transverse Mercator centred on the city (PROJ), in
// map units of `unit` metres, x to the east and y to the south, with the
// centre at map point (500, 600), where the viewer's first view looks.
#include <memory>
#include <string>
#include <vector>

#include "citywriter/CityModel.h"
#include "importer/Features.h"
#include "mapdata/GeoReference.h"

constexpr int kMapCentreX = 500;
constexpr int kMapCentreY = 600;

class Projection {
 public:
  // Throws std::runtime_error when PROJ cannot make the projection.
  Projection(GeoPoint centre, double unit);
  ~Projection();
  Projection(const Projection&) = delete;
  Projection& operator=(const Projection&) = delete;

  // Map points of the locations, rounded to whole units.
  std::vector<Point> ToMap(const std::vector<GeoPoint>& points) const;
  Point ToMap(GeoPoint point) const;
  // Metres to map units.
  double Units(double metres) const { return metres / unit_; }
  // What turns map points back into locations: the projection as PROJ makes
  // it, the unit, the centre's map point and the axes.
  const GeoReference& Reference() const { return reference_; }

 private:
  struct Proj;
  std::unique_ptr<Proj> proj_;
  double unit_;
  GeoReference reference_;
};

// Degrees of the data's fixed-point form.
inline double Degrees(int32_t fixed) { return fixed / 1e7; }
inline int32_t FixedDegrees(double degrees) { return static_cast<int32_t>(degrees * 1e7 + (degrees < 0 ? -0.5 : 0.5)); }
