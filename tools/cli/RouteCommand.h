#pragma once
// tellurin-cli route CITY_DIR X1,Y1 X2,Y2 [--mode foot|car]: directions
// between two map points on the city's road graph.  Returns the exit code
// (1: no route, 2: usage error).  `render --route` draws one with the same
// helpers.
#include <memory>
#include <string>

#include "mapdata/CityLocation.h"
#include "route/RoadNetwork.h"
#include "route/TravelMode.h"

int RunRouteCommand(int argc, char** argv);

namespace cli {

bool ParseTravelMode(const std::string& v, TravelMode& mode);
std::string TravelModeProblem(const std::string& v);
// The city's road network, or none with the file's problem on stderr.
std::unique_ptr<RoadNetwork> LoadRoadNetwork(const CityLocation& city);

}  // namespace cli
