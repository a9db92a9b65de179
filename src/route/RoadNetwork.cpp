#include "route/RoadNetwork.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A cell holds the roads within about the snapping distance; a huge map gets
// larger cells rather than millions of them.
constexpr double kCellMetres = 300;
constexpr int kMaxCellsAcross = 512;

MapPointF Middle(MapPointF a, MapPointF b) { return {(a.X + b.X) / 2, (a.Y + b.Y) / 2}; }

// The point of segment ab nearest p, as its share of the way from a.
double NearestShare(MapPointF p, MapPointF a, MapPointF b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y, length2 = dx * dx + dy * dy;
  if (length2 == 0) return 0;
  return std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2, 0.0, 1.0);
}

}  // namespace

RoadNetwork::RoadNetwork(RoadGraph graph) : graph_(std::move(graph)) {
  OrderEdgesByCell();
  IndexNodes();
}

int RoadNetwork::CellColumn(double x) const { return std::clamp(static_cast<int>(std::floor((x - minX_) / cell_)), 0, columns_ - 1); }
int RoadNetwork::CellRow(double y) const { return std::clamp(static_cast<int>(std::floor((y - minY_) / cell_)), 0, rows_ - 1); }

void RoadNetwork::OrderEdgesByCell() {
  if (graph_.Nodes.empty()) {
    firstInCell_ = {0, 0};
    return;
  }
  double maxX = graph_.Nodes[0].X, maxY = graph_.Nodes[0].Y;
  minX_ = maxX, minY_ = maxY;
  for (const RoadNode& n : graph_.Nodes) {
    minX_ = std::min<double>(minX_, n.X), maxX = std::max<double>(maxX, n.X);
    minY_ = std::min<double>(minY_, n.Y), maxY = std::max<double>(maxY, n.Y);
  }
  const double extent = std::max(maxX - minX_, maxY - minY_);
  cell_ = std::max({kCellMetres / graph_.Unit, extent / kMaxCellsAcross, 1.0});
  columns_ = static_cast<int>((maxX - minX_) / cell_) + 1;
  rows_ = static_cast<int>((maxY - minY_) / cell_) + 1;

  const size_t cells = size_t(columns_) * size_t(rows_);
  std::vector<uint32_t> cellOf(graph_.Edges.size());
  firstInCell_.assign(cells + 1, 0);
  leastMetresPerUnit_ = std::numeric_limits<double>::infinity();
  for (size_t k = 0; k < graph_.Edges.size(); ++k) {
    const RoadEdge& e = graph_.Edges[k];
    const MapPointF a = NodeAt(e.From), b = NodeAt(e.To), m = Middle(a, b);
    cellOf[k] = static_cast<uint32_t>(size_t(CellRow(m.Y)) * columns_ + CellColumn(m.X));
    ++firstInCell_[cellOf[k] + 1];
    if (const double units = std::hypot(b.X - a.X, b.Y - a.Y); units > 0)
      leastMetresPerUnit_ = std::min(leastMetresPerUnit_, e.Metres / units);
  }
  if (!std::isfinite(leastMetresPerUnit_)) leastMetresPerUnit_ = 0;
  for (size_t c = 0; c < cells; ++c) firstInCell_[c + 1] += firstInCell_[c];
  std::vector<RoadEdge> ordered(graph_.Edges.size());
  std::vector<uint32_t> next(firstInCell_.begin(), firstInCell_.end() - 1);
  for (size_t k = 0; k < graph_.Edges.size(); ++k) ordered[next[cellOf[k]]++] = graph_.Edges[k];
  graph_.Edges = std::move(ordered);
  for (uint32_t k = 0; k < graph_.Edges.size(); ++k) {
    const MapPointF a = NodeAt(graph_.Edges[k].From), b = NodeAt(graph_.Edges[k].To);
    if (std::abs(b.X - a.X) > cell_ || std::abs(b.Y - a.Y) > cell_) longEdges_.push_back(k);
  }
}

void RoadNetwork::IndexNodes() {
  firstIncident_.assign(graph_.Nodes.size() + 1, 0);
  for (const RoadEdge& e : graph_.Edges) ++firstIncident_[e.From + 1], ++firstIncident_[e.To + 1];
  for (size_t n = 0; n < graph_.Nodes.size(); ++n) firstIncident_[n + 1] += firstIncident_[n];
  incident_.resize(graph_.Edges.size() * 2);
  std::vector<uint32_t> next(firstIncident_.begin(), firstIncident_.end() - 1);
  for (uint32_t k = 0; k < graph_.Edges.size(); ++k) {
    incident_[next[graph_.Edges[k].From]++] = k;
    incident_[next[graph_.Edges[k].To]++] = k;
  }
}

// Calls visit(edge, position) for every edge that may lie within `metres` of p.
template <typename Visit>
void RoadNetwork::VisitNear(MapPointF p, double metres, Visit&& visit) const {
  if (graph_.Nodes.empty() || !std::isfinite(p.X) || !std::isfinite(p.Y)) return;
  const auto consider = [&](uint32_t k) {
    const RoadEdge& e = graph_.Edges[k];
    const MapPointF a = NodeAt(e.From), b = NodeAt(e.To);
    const double share = NearestShare(p, a, b);
    const MapPointF at{a.X + (b.X - a.X) * share, a.Y + (b.Y - a.Y) * share};
    visit(k, RoadPosition{k, share, at, std::hypot(p.X - at.X, p.Y - at.Y) * graph_.Unit});
  };
  // An edge in a cell lies within half a cell of the cell, as it is no longer than one.
  const double margin = metres / graph_.Unit + cell_ / 2;
  if (p.X + margin >= minX_ && p.Y + margin >= minY_ && p.X - margin <= minX_ + columns_ * cell_ &&
      p.Y - margin <= minY_ + rows_ * cell_) {
    const int c0 = CellColumn(p.X - margin), c1 = CellColumn(p.X + margin);
    const int r0 = CellRow(p.Y - margin), r1 = CellRow(p.Y + margin);
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c) {
        const size_t cell = size_t(r) * columns_ + c;
        for (uint32_t k = firstInCell_[cell]; k < firstInCell_[cell + 1]; ++k) consider(k);
      }
  }
  for (uint32_t k : longEdges_) consider(k);
}

std::optional<RoadPosition> RoadNetwork::Snap(MapPointF p, double metres, std::optional<TravelMode> mode) const {
  const std::vector<RoadPosition> nearest = SnapNearest(p, metres, mode, 0);
  if (nearest.empty()) return std::nullopt;
  return nearest.front();
}

std::vector<RoadPosition> RoadNetwork::SnapNearest(MapPointF p, double metres, std::optional<TravelMode> mode,
                                                   double tieMetres) const {
  std::vector<RoadPosition> near;
  VisitNear(p, metres, [&](uint32_t k, const RoadPosition& at) {
    if (at.Metres <= metres && (!mode || Usable(graph_.Edges[k], *mode))) near.push_back(at);
  });
  std::sort(near.begin(), near.end(), [](const RoadPosition& a, const RoadPosition& b) {
    return a.Metres != b.Metres ? a.Metres < b.Metres : a.Edge < b.Edge;
  });
  if (near.empty()) return near;
  const double reach = near.front().Metres + tieMetres;
  std::erase_if(near, [&](const RoadPosition& at) { return at.Metres > reach; });
  if (near.size() > kMostSnapped) near.resize(kMostSnapped);
  return near;
}

size_t RoadNetwork::MemoryBytes() const {
  size_t names = graph_.Names.capacity() * sizeof(std::string);
  for (const std::string& n : graph_.Names) names += n.size() > 15 ? n.capacity() + 1 : 0;
  return sizeof(*this) + graph_.Nodes.capacity() * sizeof(RoadNode) + graph_.Edges.capacity() * sizeof(RoadEdge) +
         (firstIncident_.capacity() + incident_.capacity() + firstInCell_.capacity() + longEdges_.capacity()) *
             sizeof(uint32_t) +
         names;
}
