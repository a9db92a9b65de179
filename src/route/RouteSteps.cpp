#include "route/RouteSteps.h"

#include <cmath>
#include <numbers>

namespace {

MapPointF Direction(const RoadNetwork& network, const RouteLeg& leg) {
  const MapPointF a = LegPoint(network, leg.Edge, leg.From), b = LegPoint(network, leg.Edge, leg.To);
  return {b.X - a.X, b.Y - a.Y};
}

// Map y grows to the south, so a clockwise turn, to the right, has a positive cross product.
Turn TurnBetween(MapPointF in, MapPointF out) {
  const double cross = in.X * out.Y - in.Y * out.X, dot = in.X * out.X + in.Y * out.Y;
  const double degrees = std::atan2(cross, dot) * 180 / std::numbers::pi;
  if (std::abs(degrees) <= kStraightDegrees) return Turn::Straight;
  return degrees > 0 ? Turn::Right : Turn::Left;
}

}  // namespace

const char* TurnWord(Turn turn) {
  switch (turn) {
    case Turn::Left: return "налево";
    case Turn::Right: return "направо";
    case Turn::Straight: break;
  }
  return "прямо";
}

double LegMetres(const RoadNetwork& network, const RouteLeg& leg) {
  return network.Edge(leg.Edge).Metres * std::abs(leg.To - leg.From);
}

MapPointF LegPoint(const RoadNetwork& network, uint32_t edge, double share) {
  const RoadEdge& e = network.Edge(edge);
  const MapPointF a = network.NodeAt(e.From), b = network.NodeAt(e.To);
  return {a.X + (b.X - a.X) * share, a.Y + (b.Y - a.Y) * share};
}

std::vector<RouteStep> StepsOf(const RoadNetwork& network, const std::vector<RouteLeg>& legs) {
  std::vector<RouteStep> steps;
  uint32_t name = 0;
  const RouteLeg* previous = nullptr;
  for (const RouteLeg& leg : legs) {
    const uint32_t legName = network.Edge(leg.Edge).Name();
    if (!previous || legName != name) {
      RouteStep step{network.Graph().Names[legName], 0, Turn::Straight, LegPoint(network, leg.Edge, leg.From)};
      if (previous) step.TurnOnto = TurnBetween(Direction(network, *previous), Direction(network, leg));
      steps.push_back(std::move(step));
      name = legName;
    }
    steps.back().Metres += LegMetres(network, leg);
    previous = &leg;
  }
  return steps;
}
