// A city's "Data/Roads.gr" read as the directions read it, then routed on:
// between two nodes of the graph and two points off it, on foot and by car.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCity.h"
#include "route/RoadGraph.h"
#include "route/Router.h"

namespace {

void CheckRoute(const RoadNetwork& network, MapPointF from, MapPointF to) {
  for (const TravelMode mode : {TravelMode::Foot, TravelMode::Car}) {
    const RouteAnswer answer = FindRoute(network, from, to, mode);
    // Either a route of a length and time or the reason there is none.
    if (answer.Found.has_value() == !answer.Problem.empty()) __builtin_trap();
    if (answer.Found && (!(answer.Found->Metres >= 0) || !std::isfinite(answer.Found->Seconds))) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzCity& city = FuzzCity::Instance();
  city.Write(kRoadGraphFile, data, size);
  RoadGraphReading reading = ReadRoadGraph(CityLocation{city.DataRoot(), city.Name()});
  if (reading.Graph.has_value() == !reading.Problem.empty()) __builtin_trap();
  if (!reading.Graph) return 0;
  // What was accepted is written back as it was read.
  if (RoadGraphBytes(*reading.Graph) != std::string(reinterpret_cast<const char*>(data), size)) __builtin_trap();
  const RoadNetwork network(std::move(*reading.Graph));
  const std::vector<RoadNode>& nodes = network.Graph().Nodes;
  if (nodes.empty()) return 0;
  const RoadNode a = nodes.front(), b = nodes.back();
  CheckRoute(network, {double(a.X), double(a.Y)}, {double(b.X), double(b.Y)});
  CheckRoute(network, {a.X + 37.5, a.Y - 12.25}, {b.X - 0.5, b.Y + 250.0});
  return 0;
}
