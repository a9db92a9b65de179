#pragma once
// Directions as the map window offers them: the loaded city's road graph,
// read when directions are first asked for, the two ends the user chose, the
// mode, and the route found between the ends (the same FindRoute as
// `tellurin-cli route`).
#include <memory>
#include <optional>
#include <string>

#include "mapdata/CityLocation.h"
#include "route/Router.h"

class DirectionsSession {
 public:
  // Another city: its graph is read anew, the ends and the route are gone.
  void Forget();
  // Reads the city's graph unless it has been read since the last Forget.
  // Returns the message about a damaged file the first time it is found
  // (UTF-8, naming the file), else "".
  std::string Prepare(const CityLocation& city);
  // Why the city has no directions (UTF-8: no graph, or a damaged one), ""
  // when it has them.  Meaningful after Prepare.
  const std::string& Unavailable() const { return unavailable_; }

  void SetStart(MapPointF at);
  void SetEnd(MapPointF at);
  void SetMode(TravelMode mode);
  // Drops the ends and the route.
  void Clear();

  TravelMode Mode() const { return mode_; }
  const std::optional<MapPointF>& Start() const { return start_; }
  const std::optional<MapPointF>& End() const { return end_; }
  // The route or the reason there is none, once both ends are chosen.
  const std::optional<RouteAnswer>& Answer() const { return answer_; }
  // Either end is chosen: the panel is shown.
  bool Active() const { return start_ || end_; }

 private:
  void Recompute();

  bool prepared_ = false;
  std::unique_ptr<RoadNetwork> network_;
  std::string unavailable_;
  std::optional<MapPointF> start_, end_;
  TravelMode mode_ = TravelMode::Foot;
  std::optional<RouteAnswer> answer_;
};
