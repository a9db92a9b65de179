#pragma once
// What a highway=* way is for directions: its road class and who may use it
// which way.  Walkers go everywhere but motorways, both ways; cars keep to
// roads (not footways, paths, steps or pedestrian streets) and to the way of
// a one-way street (oneway=*, roundabouts, motorways); access=no|private
// closes a road to both, and foot=*, vehicle=*, motor_vehicle=*, motorcar=*
// say otherwise for their own.
#include <osmium/osm/tag.hpp>

#include <cstdint>
#include <optional>

#include "route/RoadGraph.h"

struct RoadUse {
  RoadClass Class = RoadClass::Residential;
  uint8_t Access = 0;  // road_access bits; 0 when no one may use it
};

// None for a way that is no road (not a highway=* of a class below).
std::optional<RoadUse> RoadUseOf(const osmium::TagList& tags);
