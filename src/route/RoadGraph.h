#pragma once
// The city's road graph, Data/Roads.gr: what directions are found on.  The
// importer writes it from the data's shared nodes, the demo generator from the
// points its streets share.  The layer readers never open it, so a city keeps
// loading as before with it, without it or with a damaged one; only the
// directions go without.
//
// A binary file, little-endian throughout:
//   "Tellurin road graph 1\n"   the magic line with the format's version
//   f64  metres per map unit
//   u32  node count, u32 edge count, u32 name count
//   the names: u16 length, then that many bytes (Windows-1251), no control
//     characters; name 0 is the empty name of an unnamed road
//   the nodes: i32 x, i32 y (map units)
//   the edges: u32 from node, u32 to node, f32 length in metres, u32 name,
//     u8 road class (RoadClass), u8 access (road_access bits, at least one)
// Nothing may follow the last edge.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mapdata/CityLocation.h"

constexpr const char* kRoadGraphFile = "Data/Roads.gr";
constexpr std::string_view kRoadGraphMagic = "Tellurin road graph 1\n";
// A city cut from a region of gigabytes has a few million edges, some 60 MB.
constexpr size_t kMaxRoadGraphBytes = size_t{1} << 30;
constexpr uint32_t kMaxRoadNames = (uint32_t{1} << 24) - 1;
// Map points lie within this of zero, so differences and squares stay exact in doubles.
constexpr int32_t kMaxRoadCoordinate = 1 << 28;
constexpr float kMaxEdgeMetres = 1e6f;

enum class RoadClass : uint8_t {
  Motorway,
  Trunk,
  Primary,
  Secondary,
  Tertiary,
  Residential,  // also unclassified and road
  LivingStreet,
  Service,
  Track,
  Pedestrian,
  Footway,  // also path, cycleway, bridleway
  Steps,
  Count
};

namespace road_access {
constexpr uint8_t CarForward = 1;   // cars may drive from the edge's first node to its second
constexpr uint8_t CarBackward = 2;  // ... and back
constexpr uint8_t Foot = 4;
constexpr uint8_t Car = CarForward | CarBackward;
constexpr uint8_t All = Car | Foot;
}  // namespace road_access

struct RoadNode {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const RoadNode&, const RoadNode&) = default;
};

// 16 bytes: the name, class and access share one word.
struct RoadEdge {
  uint32_t From = 0;
  uint32_t To = 0;
  float Metres = 0;
  uint32_t Packed = 0;  // name << 8 | class << 3 | access

  RoadEdge() = default;
  RoadEdge(uint32_t from, uint32_t to, float metres, uint32_t name, RoadClass roadClass, uint8_t access)
      : From(from), To(to), Metres(metres),
        Packed(name << 8 | static_cast<uint32_t>(roadClass) << 3 | (access & road_access::All)) {}
  uint32_t Name() const { return Packed >> 8; }
  RoadClass Class() const { return static_cast<RoadClass>((Packed >> 3) & 31); }
  uint8_t Access() const { return static_cast<uint8_t>(Packed & 7); }
};

struct RoadGraph {
  double Unit = 1;                 // metres per map unit
  std::vector<std::string> Names;  // Windows-1251; [0] is ""
  std::vector<RoadNode> Nodes;
  std::vector<RoadEdge> Edges;
};

// The file's bytes for `graph`.
std::string RoadGraphBytes(const RoadGraph& graph);
// False, with what is wrong (UTF-8), unless `bytes` are a road graph in the
// form above with every index and value within its bounds.
bool ParseRoadGraph(std::string_view bytes, RoadGraph& graph, std::string& problem);

struct RoadGraphReading {
  std::optional<RoadGraph> Graph;  // none without a file or with a bad one
  std::filesystem::path File;
  std::string Problem;  // why there are no directions, else empty
};
// The city's road graph, if it has a good one.
RoadGraphReading ReadRoadGraph(const CityLocation& city);
