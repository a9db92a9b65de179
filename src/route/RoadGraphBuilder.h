#pragma once
// Builds a road graph segment by segment: segments whose ends have the same
// key share a node, so that ways meeting at a shared point (the data's node
// ids, or a demo street's map point) become a junction.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "route/RoadGraph.h"

class RoadGraphBuilder {
 public:
  explicit RoadGraphBuilder(double unit);

  // The index of a road's name (Windows-1251), the same for the same name; 0 for "".
  uint32_t Name(const std::string& cp1251);
  // One segment of a road from the node `fromKey` at `from` to `toKey` at
  // `to`; a segment from a node to itself is left out.
  void AddSegment(int64_t fromKey, RoadNode from, int64_t toKey, RoadNode to, double metres, uint32_t name,
                  RoadClass roadClass, uint8_t access);
  RoadGraph Take() { return std::move(graph_); }

 private:
  uint32_t Node(int64_t key, RoadNode at);

  RoadGraph graph_;
  std::unordered_map<int64_t, uint32_t> nodes_;
  std::unordered_map<std::string, uint32_t> names_;
};

// The key of a map point, for graphs whose roads meet where their points are the same.
inline int64_t PointKey(RoadNode p) { return static_cast<int64_t>(p.X) * (int64_t{1} << 32) + static_cast<uint32_t>(p.Y); }
