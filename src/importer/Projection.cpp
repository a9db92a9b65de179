#include "importer/Projection.h"

#include <proj.h>

#include <cmath>
#include <stdexcept>

namespace {

constexpr double kRadiansPerDegree = M_PI / 180;

// Where PROJ looks for its data and settings: a device, never a folder.  Our
// projection is a PROJ string that PROJ builds from its own code; left to
// itself it would first open and parse its database, proj.db (15 ms and more,
// longer than reading a small city), and take the user's proj.ini.
#ifdef _WIN32
const char* const kNoDataFolder = "NUL";
#else
const char* const kNoDataFolder = "/dev/null";
#endif

void Quiet(void*, int, const char*) {}

}  // namespace

struct Projection::Proj {
  PJ_CONTEXT* Context = nullptr;
  PJ* Transform = nullptr;
  ~Proj() {
    if (Transform) proj_destroy(Transform);
    if (Context) proj_context_destroy(Context);
  }
};

Projection::Projection(GeoPoint centre, double unit) : proj_(std::make_unique<Proj>()), unit_(unit) {
  reference_.Projection.OriginLatitude = Degrees(centre.Y);
  // A centre taken around the 180th meridian may lie past it; the file keeps
  // longitudes within [-180, 180], and PROJ takes the meridian either way.
  reference_.Projection.CentralMeridian = std::remainder(Degrees(centre.X), 360.0);
  // +approx: the older series of the transverse Mercator, several times as
  // fast; within the map's reach (1000 km) it differs from the exact one by
  // under a millimetre.
  reference_.Approx = true;
  reference_.Unit = unit;
  reference_.OriginX = kMapCentreX;
  reference_.OriginY = kMapCentreY;
  proj_->Context = proj_context_create();
  proj_log_level(proj_->Context, PJ_LOG_NONE);
  proj_log_func(proj_->Context, nullptr, Quiet);  // "cannot find proj.db" goes to stderr at any level
  proj_context_set_search_paths(proj_->Context, 1, &kNoDataFolder);
  const std::string definition = ProjDefinition(reference_);
  proj_->Transform = proj_create(proj_->Context, definition.c_str());
  if (!proj_->Transform) throw std::runtime_error("PROJ cannot make the projection " + definition);
}

Projection::~Projection() = default;

std::vector<Point> Projection::ToMap(const std::vector<GeoPoint>& points) const {
  std::vector<double> xs(points.size()), ys(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    xs[i] = Degrees(points[i].X) * kRadiansPerDegree;  // a bare projection takes radians
    ys[i] = Degrees(points[i].Y) * kRadiansPerDegree;
  }
  proj_trans_generic(proj_->Transform, PJ_FWD, xs.data(), sizeof(double), xs.size(), ys.data(), sizeof(double),
                     ys.size(), nullptr, 0, 0, nullptr, 0, 0);
  std::vector<Point> map(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    map[i].X = kMapCentreX + static_cast<int>(std::lround(xs[i] / unit_));
    map[i].Y = kMapCentreY - static_cast<int>(std::lround(ys[i] / unit_));
  }
  return map;
}

Point Projection::ToMap(GeoPoint point) const { return ToMap(std::vector<GeoPoint>{point}).front(); }
