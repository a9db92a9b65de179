#pragma once
// A route told as steps: the roads it follows one after another, each with
// its length and the turn onto it.
#include <cstdint>
#include <string>
#include <vector>

#include "route/RoadNetwork.h"

enum class Turn { Straight, Left, Right };
// «прямо», «налево», «направо»
const char* TurnWord(Turn turn);

// A piece of an edge, from one share of its way to another (0: its first
// node, 1: its second).
struct RouteLeg {
  uint32_t Edge = 0;
  double From = 0;
  double To = 1;
};

struct RouteStep {
  std::string Street;  // Windows-1251, "" for an unnamed road
  double Metres = 0;
  Turn TurnOnto = Turn::Straight;  // the first step's is Straight
  MapPointF At;                    // where it begins
};

double LegMetres(const RoadNetwork& network, const RouteLeg& leg);
MapPointF LegPoint(const RoadNetwork& network, uint32_t edge, double share);
// Consecutive legs of one name make one step; the turn between two steps is
// the angle between the last leg of one and the first of the next, straight
// within kStraightDegrees.
constexpr double kStraightDegrees = 35;
std::vector<RouteStep> StepsOf(const RoadNetwork& network, const std::vector<RouteLeg>& legs);
