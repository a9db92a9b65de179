#include "importer/DataReach.h"

#include "importer/Projection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int64_t kTurn = 3600000000;  // 360 degrees, fixed-point
constexpr int64_t kHalfTurn = kTurn / 2;
constexpr int64_t kFarthestX = 2140000000;  // 214 degrees: int32_t's reach
constexpr double kMetresPerDegree = 111320.0;

int32_t Median(std::vector<int64_t>& values) {
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return static_cast<int32_t>(*middle);
}

// The longitudes as one run that starts after the widest gap between them
// around the globe, so that a city across the antimeridian is not split.
std::vector<int64_t> LongitudesFromWidestGap(const std::vector<GeoPoint>& points) {
  std::vector<int64_t> xs;
  xs.reserve(points.size());
  for (GeoPoint p : points) xs.push_back(p.X);
  std::sort(xs.begin(), xs.end());
  int64_t widest = xs.front() + kTurn - xs.back();  // the gap across the antimeridian
  size_t start = 0;
  for (size_t i = 1; i < xs.size(); ++i)
    if (xs[i] - xs[i - 1] > widest) {
      widest = xs[i] - xs[i - 1];
      start = i;
    }
  for (size_t i = 0; i < start; ++i) xs[i] += kTurn;
  return xs;
}

int32_t Normalised(int64_t x) {
  while (x > kHalfTurn) x -= kTurn;
  while (x < -kHalfTurn) x += kTurn;
  return static_cast<int32_t>(x);
}

void Unwrap(std::vector<GeoPoint>& points, int32_t centreX) {
  for (GeoPoint& p : points) p = Unwrapped(p, centreX);
}

void Unwrap(GeoPolygon& shape, int32_t centreX) {
  Unwrap(shape.Outer, centreX);
  for (GeoRing& inner : shape.Inners) Unwrap(inner, centreX);
}

// A feature with no point within reach is left out even when it passes
// through: a way from pole to pole is no street of the city.
template <typename Feature, typename Near, typename Name>
void LeaveOutFar(std::vector<Feature>& features, ImportReport& report, Near isNear, Name nameOf) {
  std::erase_if(features, [&](const Feature& f) {
    if (isNear(f)) return false;
    report.SkipNamed(kFarFromTheData, nameOf(f));
    return true;
  });
}

bool AnyWithin(const std::vector<GeoPoint>& points, const GeoBox& reach) {
  return std::any_of(points.begin(), points.end(), [&](GeoPoint p) { return reach.Contains(p); });
}

}  // namespace

GeoBox ReachAround(GeoPoint centre) {
  const double reachLat = kMapReachMetres / kMetresPerDegree;
  const double reachLon =
      std::min(kMaxReachDegrees, reachLat / std::max(0.05, std::cos(Degrees(centre.Y) * M_PI / 180)));
  GeoBox reach;
  reach.MinX = FixedDegrees(Degrees(centre.X) - reachLon);
  reach.MaxX = FixedDegrees(Degrees(centre.X) + reachLon);
  reach.MinY = FixedDegrees(std::max(-kMaxMapLatitude, Degrees(centre.Y) - reachLat));
  reach.MaxY = FixedDegrees(std::min(kMaxMapLatitude, Degrees(centre.Y) + reachLat));
  return reach;
}

std::string BeyondMapLatitude(const std::vector<GeoPoint>& points) {
  std::vector<int64_t> ys;
  ys.reserve(points.size());
  for (GeoPoint p : points) ys.push_back(p.Y);
  if (std::abs(Degrees(Median(ys))) < kMaxMapLatitude) return {};
  const auto [south, north] = std::minmax_element(points.begin(), points.end(),
                                                  [](GeoPoint a, GeoPoint b) { return a.Y < b.Y; });
  char text[200];
  std::snprintf(text, sizeof text,
                "the data lies at latitudes %.4f to %.4f, and the map covers latitudes between %.0f south and "
                "%.0f north only (not at them)",
                Degrees(south->Y), Degrees(north->Y), kMaxMapLatitude, kMaxMapLatitude);
  return text;
}

// The median alone would put a compact city's centre on one of its points;
// the middle of the box of what lies around the median is the city's middle.
GeoPoint MainBodyCentre(std::vector<GeoPoint> points) {
  std::vector<int64_t> xs = LongitudesFromWidestGap(points);
  std::vector<int64_t> ys;
  ys.reserve(points.size());
  for (GeoPoint p : points) ys.push_back(p.Y);
  const GeoPoint median{Normalised(Median(xs)), Median(ys)};
  const GeoBox reach = ReachAround(median);
  GeoBox body;
  for (GeoPoint p : points)
    if (const GeoPoint q = Unwrapped(p, median.X); reach.Contains(q)) body.Add(q);
  return {Normalised((static_cast<int64_t>(body.MinX) + body.MaxX) / 2),
          static_cast<int32_t>((static_cast<int64_t>(body.MinY) + body.MaxY) / 2)};
}

GeoPoint Unwrapped(GeoPoint p, int32_t centreX) {
  int64_t x = p.X;
  while (x - centreX > kHalfTurn) x -= kTurn;
  while (x - centreX < -kHalfTurn) x += kTurn;
  return {static_cast<int32_t>(std::clamp(x, -kFarthestX, kFarthestX)), p.Y};
}

void KeepWithinReach(Features& f, int32_t centreX, const GeoBox& reach) {
  for (LineFeature& l : f.Lines) Unwrap(l.Line.Points, centreX);
  for (BuildingFeature& b : f.Buildings) Unwrap(b.Shape, centreX);
  for (RegionFeature& r : f.Regions) Unwrap(r.Shape, centreX);
  for (LabelFeature& l : f.Labels) l.At = Unwrapped(l.At, centreX);
  for (ObjectFeature& o : f.Objects) o.At = Unwrapped(o.At, centreX);
  for (FirmFeature& firm : f.Firms) firm.At = Unwrapped(firm.At, centreX);
  for (SettlementFeature& s : f.Settlements) s.At = Unwrapped(s.At, centreX);
  for (RouteFeature& r : f.Routes)
    for (GeoLine& w : r.Ways) Unwrap(w.Points, centreX);
  for (RoadWay& r : f.Roads) Unwrap(r.Points, centreX);  // the graph keeps what lies in the area (CityAssembly)

  ImportReport& report = f.Report;
  const auto id = [](const auto& feature) { return feature.Id; };
  const auto within = [&](GeoPoint p) { return reach.Contains(p); };
  LeaveOutFar(f.Lines, report, [&](const LineFeature& l) { return AnyWithin(l.Line.Points, reach); }, id);
  LeaveOutFar(f.Buildings, report, [&](const BuildingFeature& b) { return AnyWithin(b.Shape.Outer, reach); }, id);
  LeaveOutFar(f.Regions, report, [&](const RegionFeature& r) { return AnyWithin(r.Shape.Outer, reach); }, id);
  LeaveOutFar(f.Labels, report, [&](const LabelFeature& l) { return within(l.At); }, id);
  LeaveOutFar(f.Objects, report, [&](const ObjectFeature& o) { return within(o.At); }, id);
  LeaveOutFar(f.Firms, report, [&](const FirmFeature& firm) { return within(firm.At); },
              [](const FirmFeature& firm) { return firm.Base; });
  // A settlement is counted as its label.
  std::erase_if(f.Settlements, [&](const SettlementFeature& s) { return !within(s.At); });
  LeaveOutFar(f.Routes, report, [&](const RouteFeature& r) {
    return std::any_of(r.Ways.begin(), r.Ways.end(), [&](const GeoLine& w) { return AnyWithin(w.Points, reach); });
  }, id);
}
