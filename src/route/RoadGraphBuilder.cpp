#include "route/RoadGraphBuilder.h"

#include <algorithm>

RoadGraphBuilder::RoadGraphBuilder(double unit) {
  graph_.Unit = unit;
  graph_.Names.emplace_back();
  names_.emplace("", 0);
}

uint32_t RoadGraphBuilder::Name(const std::string& cp1251) {
  std::string name = cp1251.substr(0, 65535);
  std::replace_if(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }, ' ');
  if (graph_.Names.size() >= kMaxRoadNames && !names_.contains(name)) return 0;  // past what an edge can name: unnamed
  const auto [it, added] = names_.emplace(name, static_cast<uint32_t>(graph_.Names.size()));
  if (added) graph_.Names.push_back(std::move(name));
  return it->second;
}

uint32_t RoadGraphBuilder::Node(int64_t key, RoadNode at) {
  const auto [it, added] = nodes_.emplace(key, static_cast<uint32_t>(graph_.Nodes.size()));
  if (added) graph_.Nodes.push_back(at);
  return it->second;
}

void RoadGraphBuilder::AddSegment(int64_t fromKey, RoadNode from, int64_t toKey, RoadNode to, double metres,
                                  uint32_t name, RoadClass roadClass, uint8_t access) {
  if (fromKey == toKey || access == 0) return;
  const uint32_t a = Node(fromKey, from), b = Node(toKey, to);
  const float length = static_cast<float>(std::clamp(metres, 0.0, static_cast<double>(kMaxEdgeMetres)));
  graph_.Edges.emplace_back(a, b, length, name, roadClass, access);
}
