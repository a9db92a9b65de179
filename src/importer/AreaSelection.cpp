#include "importer/AreaSelection.h"

#include <osmium/io/any_input.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/way.hpp>

#include <algorithm>
#include <cmath>

#include "importer/OsmInputFile.h"
#include "importer/OsmRead.h"

namespace {

// The first pass takes this part of the step's share, the ways again the rest.
constexpr double kFirstPassShare = 0.7;

// A way that crosses the box takes its nodes from this near it, unless one
// of its segments spans more than this; so do the outlines of areas reaching
// into it.  The few ways and areas this takes beyond the box are mapped as
// a whole-file read maps them: left out, or cut at the edge.
constexpr double kReachMetres = 2000;

GeoBox Grown(const GeoBox& box, double metres) {
  constexpr double kMetresPerDegree = 111320, kUnitsPerDegree = 1e7;
  const double maxLatitude = std::max(std::abs(box.MinY), std::abs(box.MaxY)) / kUnitsPerDegree;
  const double dy = metres / kMetresPerDegree * kUnitsPerDegree;
  const double dx = dy / std::max(0.01, std::cos(std::min(90.0, maxLatitude + dy / kUnitsPerDegree) * M_PI / 180));
  const auto clamp = [](double v, double limit) { return static_cast<int32_t>(std::clamp(v, -limit, limit)); };
  return {clamp(box.MinX - dx, 180 * kUnitsPerDegree), clamp(box.MinY - dy, 90 * kUnitsPerDegree),
          clamp(box.MaxX + dx, 180 * kUnitsPerDegree), clamp(box.MaxY + dy, 90 * kUnitsPerDegree)};
}

bool InBox(const osmium::Node& node, const GeoBox& box) {
  return node.location().valid() && box.Contains({node.location().x(), node.location().y()});
}

template <typename Each>
void ReadPass(const std::filesystem::path& input, osmium::osm_entity_bits::type kinds, const ImportControl& control,
              double from, double to, Each&& each) {
  ReadFilePass(input, kinds, ImportStep::ReadingRelations, control, from, to, [&](const osmium::memory::Buffer& buffer) {
    for (const osmium::OSMObject& object : buffer.select<osmium::OSMObject>()) each(object);
  });
}

// The nodes in the box, the ways through them with all their nodes, and the
// relations wanted, kept until it is known which reach into the box.
class FirstPass {
 public:
  FirstPass(const GeoBox& box, const RelationWanted& relations, AreaSelection& out)
      : box_(Grown(box, kReachMetres)), relations_(relations), out_(out) {}

  void operator()(const osmium::OSMObject& object) {
    switch (object.type()) {
      case osmium::item_type::node:
        if (InBox(static_cast<const osmium::Node&>(object), box_)) inBox_.Add(object.id());
        break;
      case osmium::item_type::way:
        Way(static_cast<const osmium::Way&>(object));
        break;
      case osmium::item_type::relation:
        if (relations_.Wanted(static_cast<const osmium::Relation&>(object))) {
          wanted_.add_item(object);
          wanted_.commit();
        }
        break;
      default:
        break;
    }
  }

  // The relations with a way or a node in the box; returns their member
  // ways that have none.
  IdSet TakeRelations() {
    IdSet beyond;
    for (const osmium::Relation& relation : wanted_.select<osmium::Relation>()) {
      if (!ReachesIn(relation)) {
        relations_.Beyond(relation);
        continue;
      }
      out_.Relations.add_item(relation);
      out_.Relations.commit();
      for (const osmium::RelationMember& member : relation.members())
        if (member.type() == osmium::item_type::way && !out_.Ways.Contains(member.ref())) beyond.Add(member.ref());
    }
    return beyond;
  }

 private:
  void Way(const osmium::Way& way) {
    const osmium::WayNodeList& nodes = way.nodes();
    if (!std::any_of(nodes.begin(), nodes.end(), [&](const osmium::NodeRef& n) { return inBox_.Contains(n.ref()); }))
      return;
    out_.Ways.Add(way.id());
    for (const osmium::NodeRef& n : nodes) out_.Nodes.Add(n.ref());
  }

  bool ReachesIn(const osmium::Relation& relation) {
    return std::any_of(relation.members().begin(), relation.members().end(), [&](const osmium::RelationMember& m) {
      return (m.type() == osmium::item_type::way && out_.Ways.Contains(m.ref())) ||
             (m.type() == osmium::item_type::node && inBox_.Contains(m.ref()));
    });
  }

  const GeoBox box_;
  const RelationWanted& relations_;
  AreaSelection& out_;
  IdSet inBox_;
  osmium::memory::Buffer wanted_{1024 * 1024, osmium::memory::Buffer::auto_grow::yes};
};

}  // namespace

AreaSelection SelectArea(const std::filesystem::path& input, const GeoBox& box, const RelationWanted& relations,
                         const ImportControl& control) {
  AreaSelection selection;
  IdSet beyond;
  {
    FirstPass first{box, relations, selection};
    ReadPass(input, osmium::osm_entity_bits::nwr, control, 0, kFirstPassShare,
             [&](const osmium::OSMObject& object) { first(object); });
    beyond = first.TakeRelations();
  }
  if (!beyond.Empty())
    ReadPass(input, osmium::osm_entity_bits::way, control, kFirstPassShare, 1, [&](const osmium::OSMObject& object) {
      if (!beyond.Contains(object.id())) return;
      selection.Ways.Add(object.id());
      for (const osmium::NodeRef& n : static_cast<const osmium::Way&>(object).nodes()) selection.Nodes.Add(n.ref());
    });
  else
    control.Report(ImportStep::ReadingRelations, 1);
  return selection;
}
