#include "importer/RoadTags.h"

#include <cstring>
#include <string_view>

namespace {

struct HighwayClass {
  const char* Highway;
  RoadClass Class;
};

const HighwayClass kHighwayClasses[] = {
    {"motorway", RoadClass::Motorway},       {"motorway_link", RoadClass::Motorway},
    {"trunk", RoadClass::Trunk},             {"trunk_link", RoadClass::Trunk},
    {"primary", RoadClass::Primary},         {"primary_link", RoadClass::Primary},
    {"secondary", RoadClass::Secondary},     {"secondary_link", RoadClass::Secondary},
    {"tertiary", RoadClass::Tertiary},       {"tertiary_link", RoadClass::Tertiary},
    {"unclassified", RoadClass::Residential}, {"residential", RoadClass::Residential},
    {"road", RoadClass::Residential},        {"living_street", RoadClass::LivingStreet},
    {"service", RoadClass::Service},         {"track", RoadClass::Track},
    {"pedestrian", RoadClass::Pedestrian},   {"footway", RoadClass::Footway},
    {"path", RoadClass::Footway},            {"cycleway", RoadClass::Footway},
    {"bridleway", RoadClass::Footway},       {"steps", RoadClass::Steps},
};

std::string_view Tag(const osmium::TagList& tags, const char* key) {
  const char* value = tags.get_value_by_key(key);
  return value ? std::string_view(value) : std::string_view();
}

bool Closed(std::string_view value) { return value == "no" || value == "private"; }
bool Open(std::string_view value) {
  return value == "yes" || value == "designated" || value == "permissive" || value == "destination";
}

// Whether a user is let on: its own tags first, then the more general ones,
// then what the class allows.
bool LetOn(const osmium::TagList& tags, std::initializer_list<const char*> keys, bool byClass) {
  for (const char* key : keys) {
    const std::string_view value = Tag(tags, key);
    if (Open(value)) return true;
    if (Closed(value)) return false;
  }
  return byClass;
}

bool ForCars(RoadClass c) { return c <= RoadClass::Track; }

// 1: one way along the way's nodes, -1: against them, 0: both ways.
int OneWay(const osmium::TagList& tags, const char* highway) {
  const std::string_view oneway = Tag(tags, "oneway");
  if (oneway == "yes" || oneway == "1" || oneway == "true") return 1;
  if (oneway == "-1" || oneway == "reverse") return -1;
  if (oneway == "no" || oneway == "0" || oneway == "false") return 0;
  const std::string_view junction = Tag(tags, "junction");
  if (junction == "roundabout" || junction == "circular") return 1;
  if (std::strcmp(highway, "motorway") == 0 || std::strcmp(highway, "motorway_link") == 0) return 1;
  return 0;
}

}  // namespace

std::optional<RoadUse> RoadUseOf(const osmium::TagList& tags) {
  const std::string_view highway = Tag(tags, "highway");
  for (const HighwayClass& h : kHighwayClasses) {
    if (highway != h.Highway) continue;
    RoadUse use{h.Class, 0};
    if (LetOn(tags, {"foot", "access"}, h.Class != RoadClass::Motorway)) use.Access |= road_access::Foot;
    // A walkers' road is opened to cars by their own tags only: access=yes there means walkers.
    const bool cars = ForCars(h.Class) ? LetOn(tags, {"motorcar", "motor_vehicle", "vehicle", "access"}, true)
                                       : LetOn(tags, {"motorcar", "motor_vehicle"}, false);
    if (cars) {
      const int way = OneWay(tags, h.Highway);
      if (way >= 0) use.Access |= road_access::CarForward;
      if (way <= 0) use.Access |= road_access::CarBackward;
    }
    return use;
  }
  return std::nullopt;
}
