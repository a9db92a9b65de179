#include "mapdata/TransverseMercator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kSemiMajorAxis = 6378137.0;  // WGS 84
constexpr double kFlattening = 1 / 298.257223563;
constexpr double kEccentricity2 = kFlattening * (2 - kFlattening);
constexpr double kSecondEccentricity2 = kEccentricity2 / (1 - kEccentricity2);
constexpr double kDegrees = 180 / std::numbers::pi;

// Coefficients of the meridian distance series in the eccentricity squared.
struct MeridianSeries {
  double C[5];
  MeridianSeries() {
    const double es = kEccentricity2, es2 = es * es;
    C[0] = 1 - es * (0.25 + es * (0.046875 + es * (0.01953125 + es * 0.01068115234375)));
    C[1] = es * (0.75 - es * (0.046875 + es * (0.01953125 + es * 0.01068115234375)));
    C[2] = es2 * (0.46875 - es * (0.01302083333333333333 + es * 0.00712890625));
    C[3] = es2 * es * (0.36458333333333333333 - es * 0.00569661458333333333);
    C[4] = es2 * es2 * 0.3076171875;
  }
};

const MeridianSeries& Series() {
  static const MeridianSeries series;
  return series;
}

// Distance along the meridian from the equator to latitude phi (radians),
// in semi-major axes.
double MeridianDistance(double phi) {
  const double* c = Series().C;
  const double s = std::sin(phi), sc = s * std::cos(phi), s2 = s * s;
  return c[0] * phi - sc * (c[1] + s2 * (c[2] + s2 * (c[3] + s2 * c[4])));
}

// The latitude of a meridian distance (Newton's method; a few steps).
double LatitudeOfMeridianDistance(double distance) {
  const double k = 1 / (1 - kEccentricity2);
  double phi = distance;
  for (int step = 0; step < 10; ++step) {
    const double s = std::sin(phi);
    const double t = 1 - kEccentricity2 * s * s;
    const double change = (MeridianDistance(phi) - distance) * (t * std::sqrt(t)) * k;
    phi -= change;
    if (std::fabs(change) < 1e-11) break;
  }
  return phi;
}

double WrappedLongitude(double degrees) {
  degrees = std::remainder(degrees, 360.0);
  return degrees == -180 ? 180 : degrees;
}

}  // namespace

std::optional<LatLon> InverseTransverseMercator(const TransverseMercator& p, double easting, double northing) {
  const double k0 = p.ScaleFactor;
  const double x = (easting - p.FalseEasting) / kSemiMajorAxis;
  const double y = (northing - p.FalseNorthing) / kSemiMajorAxis;
  const double fromEquator = MeridianDistance(p.OriginLatitude / kDegrees) + y / k0;
  if (!(std::fabs(x / k0) * kSemiMajorAxis <= kMaxMeridianOffset) ||
      !(std::fabs(fromEquator) <= MeridianDistance(std::numbers::pi / 2)))
    return std::nullopt;
  double phi = LatitudeOfMeridianDistance(fromEquator);
  if (std::fabs(phi) >= std::numbers::pi / 2)
    return LatLon{phi < 0 ? -90.0 : 90.0, WrappedLongitude(p.CentralMeridian)};
  const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
  double t = std::fabs(cosPhi) > 1e-10 ? sinPhi / cosPhi : 0;
  const double n = kSecondEccentricity2 * cosPhi * cosPhi;
  double con = 1 - kEccentricity2 * sinPhi * sinPhi;
  const double d = x * std::sqrt(con) / k0;
  con *= t;
  t *= t;
  const double ds = d * d;
  phi -= (con * ds / (1 - kEccentricity2)) / 2 *
         (1 - ds / 12 *
                  (5 + t * (3 - 9 * n) + n * (1 - 4 * n) -
                   ds / 30 * (61 + t * (90 - 252 * n + 45 * t) + 46 * n -
                              ds / 56 * (1385 + t * (3633 + t * (4095 + 1575 * t))))));
  const double lambda = d *
                        (1 - ds / 6 *
                                 (1 + 2 * t + n -
                                  ds / 20 * (5 + t * (28 + 24 * t + 8 * n) + 6 * n -
                                             ds / 42 * (61 + t * (662 + t * (1320 + 720 * t)))))) /
                        cosPhi;
  return LatLon{std::clamp(phi * kDegrees, -90.0, 90.0), WrappedLongitude(p.CentralMeridian + lambda * kDegrees)};
}

std::optional<ProjectedPoint> ForwardTransverseMercator(const TransverseMercator& p, LatLon at) {
  const double lambda = WrappedLongitude(at.Longitude - p.CentralMeridian) / kDegrees;
  if (!(std::fabs(lambda) <= std::numbers::pi / 2) || !(std::fabs(at.Latitude) <= 90)) return std::nullopt;
  const double k0 = p.ScaleFactor;
  const double phi = at.Latitude / kDegrees;
  const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
  double t = std::fabs(cosPhi) > 1e-10 ? sinPhi / cosPhi : 0;
  t *= t;
  double al = cosPhi * lambda;
  const double als = al * al;
  al /= std::sqrt(1 - kEccentricity2 * sinPhi * sinPhi);
  const double n = kSecondEccentricity2 * cosPhi * cosPhi;
  const double x =
      k0 * al *
      (1 + als / 6 *
               (1 - t + n +
                als / 20 * (5 + t * (t - 18) + n * (14 - 58 * t) + als / 42 * (61 + t * (t * (179 - t) - 479)))));
  const double y =
      k0 * (MeridianDistance(phi) - MeridianDistance(p.OriginLatitude / kDegrees) +
            sinPhi * al * lambda / 2 *
                (1 + als / 12 *
                         (5 - t + n * (9 + 4 * n) +
                          als / 30 *
                              (61 + t * (t - 58) + n * (270 - 330 * t) +
                               als / 56 * (1385 + t * (t * (543 - t) - 3111))))));
  if (!(std::fabs(x / k0) * kSemiMajorAxis <= kMaxMeridianOffset)) return std::nullopt;
  return ProjectedPoint{x * kSemiMajorAxis + p.FalseEasting, y * kSemiMajorAxis + p.FalseNorthing};
}
