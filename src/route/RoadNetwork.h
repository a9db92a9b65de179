#pragma once
// A road graph ready for routing: each node's edges, and the edges ordered by
// the grid cell of their middle, so that the roads near a point are found by
// looking at a few cells.  Costs 12 bytes a node and 24 an edge (the file
// takes 8 and 18), and a word per cell.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "route/RoadGraph.h"
#include "route/TravelMode.h"

struct MapPointF {
  double X = 0;
  double Y = 0;
};

// A point on an edge: `Along` is its share of the way from the edge's first node.
struct RoadPosition {
  uint32_t Edge = 0;
  double Along = 0;
  MapPointF At;
  double Metres = 0;  // from the point that was snapped
};

class RoadNetwork {
 public:
  explicit RoadNetwork(RoadGraph graph);

  const RoadGraph& Graph() const { return graph_; }
  const RoadEdge& Edge(uint32_t edge) const { return graph_.Edges[edge]; }
  MapPointF NodeAt(uint32_t node) const { return {double(graph_.Nodes[node].X), double(graph_.Nodes[node].Y)}; }
  std::span<const uint32_t> EdgesAt(uint32_t node) const {
    return {incident_.data() + firstIncident_[node], incident_.data() + firstIncident_[node + 1]};
  }
  // The nearest point within `metres` of an edge the mode may use (any road
  // without a mode).
  std::optional<RoadPosition> Snap(MapPointF p, double metres, std::optional<TravelMode> mode) const;
  // The nearest such point and those on other edges at most `tieMetres`
  // farther (a point as near to two streets, at a corner), nearest first,
  // at most kMostSnapped.
  static constexpr size_t kMostSnapped = 4;
  std::vector<RoadPosition> SnapNearest(MapPointF p, double metres, std::optional<TravelMode> mode,
                                        double tieMetres) const;
  // Metres a route takes at least per map unit of straight distance: the
  // fewest metres an edge has per map unit of its length.
  double LeastMetresPerUnit() const { return leastMetresPerUnit_; }
  size_t MemoryBytes() const;

 private:
  void OrderEdgesByCell();
  void IndexNodes();
  int CellColumn(double x) const;
  int CellRow(double y) const;
  template <typename Visit>
  void VisitNear(MapPointF p, double metres, Visit&& visit) const;

  RoadGraph graph_;
  std::vector<uint32_t> firstIncident_;  // per node, and one past the last
  std::vector<uint32_t> incident_;
  double minX_ = 0, minY_ = 0, cell_ = 1;
  int columns_ = 1, rows_ = 1;
  std::vector<uint32_t> firstInCell_;  // per cell, and one past the last
  std::vector<uint32_t> longEdges_;    // reaching beyond a cell: looked at on every snap
  double leastMetresPerUnit_ = 0;
};
