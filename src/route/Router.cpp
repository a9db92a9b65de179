#include "route/Router.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

namespace {

constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

// Which edges a search may take, and which way.
enum class Rule { Foot, Car, CarAnyWay };

bool May(const RoadEdge& edge, Rule rule, bool forward) {
  switch (rule) {
    case Rule::Foot: return MayTravel(edge, TravelMode::Foot, forward);
    case Rule::Car: return MayTravel(edge, TravelMode::Car, forward);
    case Rule::CarAnyWay: return Usable(edge, TravelMode::Car);
  }
  return false;
}

// An A* search from the start's positions to the end's (a point as near to
// two roads is on both, and the search takes the better).  The graph's nodes
// keep their numbers; the start and the end are two more.  The estimate is
// the straight distance to the nearest end position at the fewest metres an
// edge has per map unit, so it never overestimates.
class RouteSearch {
 public:
  using Positions = std::vector<RoadPosition>;

  RouteSearch(const RoadNetwork& network, const Positions& starts, const Positions& ends, Rule rule)
      : net_(network), starts_(starts), ends_(ends), rule_(rule), startNode_(Count()), endNode_(Count() + 1),
        cost_(Count() + 2, std::numeric_limits<double>::infinity()), previous_(Count() + 2, kNone),
        viaEdge_(Count() + 2, kNone), done_(Count() + 2, false) {}

  bool Run() {
    Reach(startNode_, kNone, kNone, 0);
    while (!open_.empty()) {
      const uint32_t node = open_.top().second;
      open_.pop();
      if (done_[node]) continue;
      done_[node] = true;
      if (node == endNode_) return true;
      if (node == startNode_)
        LeaveStart();
      else
        LeaveNode(node);
    }
    return false;
  }

  // The pieces of edges from the start to the end.
  std::vector<RouteLeg> Legs() const {
    std::vector<RouteLeg> legs;
    for (uint32_t node = endNode_; node != startNode_; node = previous_[node]) {
      const uint32_t from = previous_[node];
      legs.push_back({viaEdge_[node], ShareAt(from, viaEdge_[node]), ShareAt(node, viaEdge_[node])});
    }
    std::reverse(legs.begin(), legs.end());
    if (legs.size() > 1) std::erase_if(legs, [](const RouteLeg& leg) { return leg.From == leg.To; });
    return legs;
  }

 private:
  uint32_t Count() const { return static_cast<uint32_t>(net_.Graph().Nodes.size()); }

  static const RoadPosition& On(const Positions& positions, uint32_t edge) {
    return *std::find_if(positions.begin(), positions.end(), [&](const RoadPosition& p) { return p.Edge == edge; });
  }

  double ShareAt(uint32_t node, uint32_t edge) const {
    if (node == startNode_) return On(starts_, edge).Along;
    if (node == endNode_) return On(ends_, edge).Along;
    return node == net_.Edge(edge).From ? 0 : 1;
  }

  double Estimate(uint32_t node) const {
    if (node == endNode_) return 0;
    const MapPointF p = node == startNode_ ? starts_.front().At : net_.NodeAt(node);
    double nearest = std::numeric_limits<double>::infinity();
    for (const RoadPosition& end : ends_) {
      const double dx = p.X - end.At.X, dy = p.Y - end.At.Y;
      nearest = std::min(nearest, dx * dx + dy * dy);
    }
    return std::sqrt(nearest) * net_.LeastMetresPerUnit();
  }

  void Reach(uint32_t node, uint32_t from, uint32_t edge, double cost) {
    if (done_[node] || cost >= cost_[node]) return;
    cost_[node] = cost, previous_[node] = from, viaEdge_[node] = edge;
    open_.push({cost + Estimate(node), node});
  }

  void LeaveStart() {
    for (const RoadPosition& start : starts_) {
      const RoadEdge& e = net_.Edge(start.Edge);
      // A start at a node is at that node whichever way its edge goes.
      if (May(e, rule_, true) || start.Along == 1) Reach(e.To, startNode_, start.Edge, e.Metres * (1 - start.Along));
      if (May(e, rule_, false) || start.Along == 0) Reach(e.From, startNode_, start.Edge, e.Metres * start.Along);
      for (const RoadPosition& end : ends_)
        if (end.Edge == start.Edge && May(e, rule_, end.Along >= start.Along))
          Reach(endNode_, startNode_, start.Edge, e.Metres * std::abs(end.Along - start.Along));
    }
  }

  void LeaveNode(uint32_t node) {
    const double cost = cost_[node];
    for (uint32_t k : net_.EdgesAt(node)) {
      const RoadEdge& e = net_.Edge(k);
      const bool forward = e.From == node;
      if (May(e, rule_, forward)) Reach(forward ? e.To : e.From, node, k, cost + e.Metres);
    }
    for (const RoadPosition& end : ends_) {
      const RoadEdge& last = net_.Edge(end.Edge);
      if (node == last.From && (May(last, rule_, true) || end.Along == 0))
        Reach(endNode_, node, end.Edge, cost + last.Metres * end.Along);
      if (node == last.To && (May(last, rule_, false) || end.Along == 1))
        Reach(endNode_, node, end.Edge, cost + last.Metres * (1 - end.Along));
    }
  }

  using Entry = std::pair<double, uint32_t>;
  const RoadNetwork& net_;
  const Positions& starts_;
  const Positions& ends_;
  Rule rule_;
  uint32_t startNode_, endNode_;
  std::vector<double> cost_;
  std::vector<uint32_t> previous_, viaEdge_;
  std::vector<uint8_t> done_;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open_;
};

FoundRoute RouteOf(const RoadNetwork& network, const std::vector<RouteLeg>& legs, TravelMode mode) {
  FoundRoute route;
  for (const RouteLeg& leg : legs) {
    const double metres = LegMetres(network, leg);
    route.Metres += metres;
    route.Seconds += metres / (SpeedKmh(network.Edge(leg.Edge).Class(), mode) / 3.6);
    if (route.Line.empty()) route.Line.push_back(LegPoint(network, leg.Edge, leg.From));
    route.Line.push_back(LegPoint(network, leg.Edge, leg.To));
  }
  route.Steps = StepsOf(network, legs);
  return route;
}

std::string Because(const char* text, const char* reason) { return std::string(text) + ": " + reason; }

// Why an end has no road of the mode near it.
std::string NoRoadNear(const RoadNetwork& network, MapPointF p, TravelMode mode, bool start) {
  if (mode == TravelMode::Car && network.Snap(p, kSnapMetres, std::nullopt))
    return Because(route_text::kNotFound, start ? "у начала нет дорог для машин" : "у конца нет дорог для машин");
  return Because(route_text::kNoRoadsNear, start ? "у начала маршрута" : "у конца маршрута");
}

}  // namespace

RouteAnswer FindRoute(const RoadNetwork& network, MapPointF from, MapPointF to, TravelMode mode) {
  RouteAnswer answer;
  const auto starts = network.SnapNearest(from, kSnapMetres, mode, kSnapTieMetres);
  if (starts.empty()) return answer.Problem = NoRoadNear(network, from, mode, true), answer;
  const auto ends = network.SnapNearest(to, kSnapMetres, mode, kSnapTieMetres);
  if (ends.empty()) return answer.Problem = NoRoadNear(network, to, mode, false), answer;
  const Rule rule = mode == TravelMode::Foot ? Rule::Foot : Rule::Car;
  RouteSearch search(network, starts, ends, rule);
  if (search.Run()) {
    answer.Found = RouteOf(network, search.Legs(), mode);
  } else if (rule == Rule::Car && RouteSearch(network, starts, ends, Rule::CarAnyWay).Run()) {
    answer.Problem = Because(route_text::kNotFound, "мешают улицы с односторонним движением");
  } else {
    answer.Problem = Because(route_text::kNotFound, "между этими точками нет дороги");
  }
  return answer;
}
