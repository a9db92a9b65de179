#pragma once
// How the route is travelled: on foot at 5 km/h on every road open to
// walkers, both ways; by car on the roads open to cars, one-way streets only
// their way, at a speed by the road's class.
#include <cstdint>

#include "route/RoadGraph.h"

enum class TravelMode { Foot, Car };

constexpr double kWalkingKmh = 5;

// The speed a road of the class is driven or walked at, km/h.
double SpeedKmh(RoadClass roadClass, TravelMode mode);

// Whether the edge may be taken from its first node to its second (`forward`) or back.
inline bool MayTravel(const RoadEdge& edge, TravelMode mode, bool forward) {
  if (mode == TravelMode::Foot) return (edge.Access() & road_access::Foot) != 0;
  return (edge.Access() & (forward ? road_access::CarForward : road_access::CarBackward)) != 0;
}
// Whether the edge may be taken in either direction.
inline bool Usable(const RoadEdge& edge, TravelMode mode) { return MayTravel(edge, mode, true) || MayTravel(edge, mode, false); }
