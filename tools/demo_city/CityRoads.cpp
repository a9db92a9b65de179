// The demo city's road graph: its streets, highway and bridges meet where
// they share a point, or where one ends on another, as the generator lays
// them out.  The map unit is taken
// as kDemoUnitMetres: a block is 160 units wide, some 320 m.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "CityLayout.h"
#include "citywriter/CityRecords.h"
#include "route/RoadGraphBuilder.h"

namespace {

// The class of a street of the demo city by its type and width; none for
// what is no road (the river, the railway, the border).
std::optional<RoadClass> ClassOf(const Street& street) {
  if (street.Type == "РЕКА" || street.Type == "ЖД" || street.Type == "ГРАНИЦА") return std::nullopt;
  if (street.Type == "ТРАССА") return RoadClass::Motorway;
  if (street.Width >= 5) return RoadClass::Primary;
  if (street.Width == 4) return RoadClass::Secondary;
  if (street.Width == 3) return RoadClass::Tertiary;
  return RoadClass::Residential;
}

// Whether p lies on segment ab between its ends (the points are whole map units).
bool Inside(Point p, Point a, Point b) {
  const int64_t cross = int64_t(b.X - a.X) * (p.Y - a.Y) - int64_t(b.Y - a.Y) * (p.X - a.X);
  const int64_t dot = int64_t(p.X - a.X) * (b.X - a.X) + int64_t(p.Y - a.Y) * (b.Y - a.Y);
  const int64_t length2 = int64_t(b.X - a.X) * (b.X - a.X) + int64_t(b.Y - a.Y) * (b.Y - a.Y);
  return cross == 0 && dot > 0 && dot < length2;
}

// A street that ends on another between two of its points (a bridge landing
// on the settlement's first street) meets it there: the segment is cut at
// every such end, in order along it.
std::vector<Point> WithEndsOnIt(const std::vector<Point>& points, const std::vector<Point>& ends) {
  std::vector<Point> out;
  for (size_t k = 0; k + 1 < points.size(); ++k) {
    const Point a = points[k], b = points[k + 1];
    out.push_back(a);
    std::vector<Point> on;
    for (const Point& e : ends)
      if (Inside(e, a, b)) on.push_back(e);
    std::sort(on.begin(), on.end(), [&](Point p, Point q) {
      return std::abs(p.X - a.X) + std::abs(p.Y - a.Y) < std::abs(q.X - a.X) + std::abs(q.Y - a.Y);
    });
    out.insert(out.end(), on.begin(), on.end());
  }
  if (!points.empty()) out.push_back(points.back());
  return out;
}

}  // namespace

RoadGraph DemoRoadGraph(const City& city) {
  RoadGraphBuilder graph(kDemoUnitMetres);
  Cp1251Encoder cp1251;
  std::vector<Point> ends;
  for (const Street& street : city.Streets)
    if (ClassOf(street) && !street.Points.empty()) ends.push_back(street.Points.front()), ends.push_back(street.Points.back());
  for (const Street& street : city.Streets) {
    const std::optional<RoadClass> roadClass = ClassOf(street);
    if (!roadClass) continue;
    const std::vector<Point> points = WithEndsOnIt(street.Points, ends);
    const uint8_t access = *roadClass == RoadClass::Motorway ? road_access::Car : road_access::All;
    const std::string label = street.Type == "МОСТ" || street.Type == "ТРАССА" ? street.Name : street.Type + " " + street.Name;
    const uint32_t name = graph.Name(cp1251(label));
    for (size_t k = 0; k + 1 < points.size(); ++k) {
      const RoadNode a{points[k].X, points[k].Y}, b{points[k + 1].X, points[k + 1].Y};
      graph.AddSegment(PointKey(a), a, PointKey(b), b, std::hypot(b.X - a.X, b.Y - a.Y) * kDemoUnitMetres, name,
                       *roadClass, access);
    }
  }
  return graph.Take();
}
