#pragma once
// Directions: the shortest route between two map points on the road graph,
// for walking or driving.  Each point is taken to the nearest road the mode
// may use within kSnapMetres (or to the best of those as near); the route is the shortest in metres (an A*
// search over the graph), its time that of its roads' speeds.
#include <optional>
#include <string>
#include <vector>

#include "route/RoadNetwork.h"
#include "route/RouteSteps.h"
#include "route/TravelMode.h"

constexpr double kSnapMetres = 300;
// Roads at most this much farther than the nearest are as near: the route
// may start or end on any of them (a house on a corner, by a one-way street).
constexpr double kSnapTieMetres = 5;

// The texts of a route that cannot be found (UTF-8).
namespace route_text {
constexpr const char* kNoRoadsNear = "Рядом нет дорог";
constexpr const char* kNotFound = "Маршрут не найден";
}  // namespace route_text

struct FoundRoute {
  double Metres = 0;
  double Seconds = 0;
  std::vector<MapPointF> Line;  // from the start to the end, over every node passed
  std::vector<RouteStep> Steps;
};

struct RouteAnswer {
  std::optional<FoundRoute> Found;
  std::string Problem;  // without a route: «Рядом нет дорог…» or «Маршрут не найден…», with the reason
};

RouteAnswer FindRoute(const RoadNetwork& network, MapPointF from, MapPointF to, TravelMode mode);
