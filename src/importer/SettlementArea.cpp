#include "importer/SettlementArea.h"

#include <osmium/io/any_input.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/relation.hpp>
#include <osmium/osm/way.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <unordered_map>

#include "importer/CityArea.h"
#include "importer/Geometry.h"
#include "importer/OsmInputFile.h"
#include "importer/OsmRead.h"
#include "importer/PlaceList.h"

namespace {

// OpenStreetMap's own limit: a relation with more members is not mapped by hand.
constexpr size_t kMostMembers = 32000;
// A boundary whose box reaches further than this many radii of the
// settlement's kind from its middle is a district's or a region's.
constexpr double kFarthestBoundaryInRadii = 5;

struct BoundaryRelation {
  int64_t Id = 0;
  int64_t Centre = 0;  // the admin_centre or label node, 0 for none
  std::vector<int64_t> Ways;
  bool Broken = false;
  std::vector<GeoRing> Rings;
  GeoBox Box;  // of the rings, or of the nodes found when broken
};

struct BoundaryWay {
  int64_t Id;
  std::vector<int64_t> Nodes;
};

// A country's or a federal district's border: never a settlement's, and the
// longest of all, so not worth the memory of its nodes.
bool IsCountryLevel(const char* level) {
  return level && (std::string_view(level) == "2" || std::string_view(level) == "3");
}

bool Has(const std::vector<int64_t>& sorted, int64_t id) { return std::binary_search(sorted.begin(), sorted.end(), id); }

void SortUnique(std::vector<int64_t>& ids) {
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
}

// The area is found in three passes over the file (relations, ways, nodes),
// each a third of the step.
constexpr int kPasses = 3;

template <typename Each>
void ReadPass(const std::filesystem::path& input, osmium::osm_entity_bits::type kinds, int pass,
              const ImportControl& control, Each&& each) {
  ReadFilePass(input, kinds, ImportStep::FindingArea, control, static_cast<double>(pass) / kPasses,
               static_cast<double>(pass + 1) / kPasses, each);
}

std::vector<BoundaryRelation> ReadBoundaries(const std::filesystem::path& input, const ImportControl& control) {
  std::vector<BoundaryRelation> boundaries;
  ReadPass(input, osmium::osm_entity_bits::relation, 0, control, [&](const osmium::memory::Buffer& buffer) {
    for (const osmium::Relation& r : buffer.select<osmium::Relation>()) {
      const char* boundary = r.tags()["boundary"];
      if (!boundary || std::string_view(boundary) != "administrative" || IsCountryLevel(r.tags()["admin_level"]))
        continue;
      BoundaryRelation b;
      b.Id = r.id();
      b.Broken = r.members().size() > kMostMembers;
      for (const osmium::RelationMember& m : r.members()) {
        const std::string_view role = m.role();
        if (b.Broken) break;
        if (m.type() == osmium::item_type::way && (role.empty() || role == "outer" || role == "inner"))
          b.Ways.push_back(m.ref());
        else if (m.type() == osmium::item_type::node && (role == "admin_centre" || role == "label"))
          b.Centre = m.ref();
      }
      SortUnique(b.Ways);  // a way listed twice is read once
      boundaries.push_back(std::move(b));
    }
  });
  return boundaries;
}

std::vector<BoundaryWay> ReadBoundaryWays(const std::filesystem::path& input, const std::vector<int64_t>& wanted,
                                          const ImportControl& control) {
  std::vector<BoundaryWay> ways;
  ReadPass(input, osmium::osm_entity_bits::way, 1, control, [&](const osmium::memory::Buffer& buffer) {
    for (const osmium::Way& w : buffer.select<osmium::Way>()) {
      if (!Has(wanted, w.id())) continue;
      BoundaryWay way{w.id(), {}};
      for (const osmium::NodeRef& n : w.nodes()) way.Nodes.push_back(n.ref());
      ways.push_back(std::move(way));
    }
  });
  std::sort(ways.begin(), ways.end(), [](const BoundaryWay& a, const BoundaryWay& b) { return a.Id < b.Id; });
  return ways;
}

// The locations of `wanted` (sorted ids), nullopt where the file lacks the
// node; and, in the same pass, the file's settlements.
std::vector<std::optional<GeoPoint>> ReadLocations(const std::filesystem::path& input,
                                                   const std::vector<int64_t>& wanted, const ImportControl& control,
                                                   std::vector<SettlementFeature>& settlements) {
  std::vector<std::optional<GeoPoint>> at(wanted.size());
  ReadPass(input, osmium::osm_entity_bits::node, 2, control, [&](const osmium::memory::Buffer& buffer) {
    CollectSettlements(buffer, settlements);
    for (const osmium::Node& n : buffer.select<osmium::Node>()) {
      const auto found = std::lower_bound(wanted.begin(), wanted.end(), n.id());
      if (found == wanted.end() || *found != n.id() || !n.location().valid()) continue;
      at[found - wanted.begin()] = GeoPoint{n.location().x(), n.location().y()};
    }
  });
  return at;
}

// The member ways joined end to end into closed rings of node ids; empty
// when one does not close.
std::vector<std::vector<int64_t>> JoinRings(const std::vector<const BoundaryWay*>& ways) {
  std::unordered_multimap<int64_t, size_t> byEnd;
  for (size_t k = 0; k < ways.size(); ++k) {
    if (ways[k]->Nodes.size() < 2) return {};
    byEnd.emplace(ways[k]->Nodes.front(), k);
    byEnd.emplace(ways[k]->Nodes.back(), k);
  }
  std::vector<bool> used(ways.size(), false);
  std::vector<std::vector<int64_t>> rings;
  for (size_t first = 0; first < ways.size(); ++first) {
    if (used[first]) continue;
    used[first] = true;
    std::vector<int64_t> ring = ways[first]->Nodes;
    while (ring.front() != ring.back()) {
      const auto [from, to] = byEnd.equal_range(ring.back());
      const auto next = std::find_if(from, to, [&](const auto& entry) { return !used[entry.second]; });
      if (next == to) return {};  // the ring stays open
      used[next->second] = true;
      const std::vector<int64_t>& nodes = ways[next->second]->Nodes;
      if (nodes.front() == ring.back())
        ring.insert(ring.end(), nodes.begin() + 1, nodes.end());
      else
        ring.insert(ring.end(), nodes.rbegin() + 1, nodes.rend());
    }
    if (ring.size() < 4) return {};
    rings.push_back(std::move(ring));
  }
  return rings;
}

void Assemble(BoundaryRelation& b, const std::vector<BoundaryWay>& ways, const std::vector<int64_t>& nodeIds,
              const std::vector<std::optional<GeoPoint>>& locations) {
  std::vector<const BoundaryWay*> members;
  for (int64_t id : b.Ways) {
    const auto found = std::lower_bound(ways.begin(), ways.end(), id,
                                        [](const BoundaryWay& w, int64_t wanted) { return w.Id < wanted; });
    if (found == ways.end() || found->Id != id)
      b.Broken = true;
    else
      members.push_back(&*found);
  }
  const auto locate = [&](int64_t node) -> std::optional<GeoPoint> {
    const auto found = std::lower_bound(nodeIds.begin(), nodeIds.end(), node);
    return found == nodeIds.end() || *found != node ? std::nullopt : locations[found - nodeIds.begin()];
  };
  for (const BoundaryWay* way : members)
    for (int64_t node : way->Nodes)
      if (const auto at = locate(node)) b.Box.Add(*at);
  if (b.Broken || members.empty()) {
    b.Broken = true;
    return;
  }
  for (const std::vector<int64_t>& ring : JoinRings(members)) {
    GeoRing points;
    for (int64_t node : ring) {
      const auto at = locate(node);
      if (!at) {
        b.Broken = true;
        return;
      }
      points.push_back(*at);
    }
    b.Rings.push_back(std::move(points));
  }
  b.Broken = b.Rings.empty();
}

bool Holds(const BoundaryRelation& b, GeoPoint p) {
  if (b.Broken || !b.Box.Contains(p)) return false;
  size_t inside = 0;
  for (const GeoRing& ring : b.Rings) inside += RingContains(ring, p) ? 1 : 0;
  return inside % 2 == 1;  // within an outer ring and not in a hole of it
}

double BoxArea(const GeoBox& box) {
  return (static_cast<double>(box.MaxX) - box.MinX) * (static_cast<double>(box.MaxY) - box.MinY);
}

// The box of the circle of `km` around `at`.
GeoBox BoxAround(GeoPoint at, double km) {
  const double dy = km / 111.32 * 1e7;
  const double dx = dy / std::max(0.05, std::cos(at.Y / 1e7 * M_PI / 180));
  GeoBox box;
  box.Add({static_cast<int32_t>(std::max(-1.8e9, at.X - dx)), static_cast<int32_t>(std::max(-9e8, at.Y - dy))});
  box.Add({static_cast<int32_t>(std::min(1.8e9, at.X + dx)), static_cast<int32_t>(std::min(9e8, at.Y + dy))});
  return box;
}

// Whether the box reaches no further from `at` than a settlement of its kind may.
bool SettlementSized(const GeoBox& box, GeoPoint at, double km) {
  const GeoBox reach = BoxAround(at, km * kFarthestBoundaryInRadii);
  return box.MinX >= reach.MinX && box.MaxX <= reach.MaxX && box.MinY >= reach.MinY && box.MaxY <= reach.MaxY;
}

bool HoldsEvery(const BoundaryRelation& b, const std::vector<SettlementFeature>& settlements) {
  return settlements.size() > 1 &&
         std::all_of(settlements.begin(), settlements.end(), [&](const SettlementFeature& s) { return Holds(b, s.At); });
}

}  // namespace

int RadiusKmOf(const std::string& place) {
  if (place == "city") return 15;
  if (place == "town") return 5;
  return place == "village" ? 2 : 1;
}

struct SettlementBoundaries {
  std::vector<BoundaryRelation> Relations;
};

RegionMap ReadRegion(const std::filesystem::path& input, const ImportControl& control) {
  auto boundaries = std::make_shared<SettlementBoundaries>();
  std::vector<BoundaryRelation>& relations = boundaries->Relations;
  relations = ReadBoundaries(input, control);
  std::vector<int64_t> wayIds;
  for (const BoundaryRelation& b : relations) wayIds.insert(wayIds.end(), b.Ways.begin(), b.Ways.end());
  SortUnique(wayIds);
  const std::vector<BoundaryWay> ways = ReadBoundaryWays(input, wayIds, control);
  wayIds = {};
  std::vector<int64_t> nodeIds;
  for (const BoundaryWay& w : ways) nodeIds.insert(nodeIds.end(), w.Nodes.begin(), w.Nodes.end());
  SortUnique(nodeIds);
  RegionMap region;
  const std::vector<std::optional<GeoPoint>> locations = ReadLocations(input, nodeIds, control, region.Settlements);
  SortSettlements(region.Settlements);
  for (BoundaryRelation& b : relations) Assemble(b, ways, nodeIds, locations);
  region.Boundaries = std::move(boundaries);
  return region;
}

SettlementArea AreaOf(const RegionMap& region, const SettlementFeature& settlement) {
  const std::vector<SettlementFeature>& settlements = region.Settlements;
  const int km = RadiusKmOf(settlement.Place);
  const int64_t placeNode = settlement.Id.size() > 1 ? std::atoll(settlement.Id.c_str() + 1) : 0;
  const BoundaryRelation* best = nullptr;
  const BoundaryRelation* broken = nullptr;  // the smallest unusable one around the place
  for (const BoundaryRelation& b : region.Boundaries->Relations) {
    if (b.Box.Empty() || !SettlementSized(b.Box, settlement.At, km)) continue;
    if (b.Broken) {
      const bool around = b.Centre == placeNode || b.Box.Contains(settlement.At);
      if (around && (!broken || BoxArea(b.Box) < BoxArea(broken->Box))) broken = &b;
    } else if (Holds(b, settlement.At) && (!best || BoxArea(b.Box) < BoxArea(best->Box)) &&
               !HoldsEvery(b, settlements)) {
      best = &b;
    }
  }
  SettlementArea area;
  if (broken && (!best || BoxArea(broken->Box) < BoxArea(best->Box))) {
    area.BrokenBoundaries = 1;
    best = nullptr;  // its own boundary cannot be used: a larger one would take in its neighbours
  }
  if (best) {
    area.Core = best->Box;
    area.How = "boundary relation " + std::to_string(best->Id);
  } else {
    area.Core = BoxAround(settlement.At, km);
    area.How = "radius " + std::to_string(km) + " km";
  }
  area.Cut = WithMargin(area.Core, kCityAreaMargin);
  return area;
}
