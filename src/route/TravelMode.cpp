#include "route/TravelMode.h"

double SpeedKmh(RoadClass roadClass, TravelMode mode) {
  if (mode == TravelMode::Foot) return kWalkingKmh;
  switch (roadClass) {
    case RoadClass::Motorway: return 90;
    case RoadClass::Trunk: return 80;
    case RoadClass::Primary: return 60;
    case RoadClass::Secondary: return 50;
    case RoadClass::Tertiary: return 40;
    case RoadClass::Residential: return 30;
    case RoadClass::LivingStreet: return 10;
    case RoadClass::Service: return 15;
    case RoadClass::Track: return 10;
    case RoadClass::Pedestrian:
    case RoadClass::Footway:
    case RoadClass::Steps:
    case RoadClass::Count: break;
  }
  return 5;  // a walkers' road a car may use after all (access=yes): at walking pace
}
