#pragma once
// What a cut out of a larger file needs, found before the main pass so that
// it keeps the node locations of the area only: the ways with a node in the
// box or within 2 km of it, the relations the import takes with such a way
// among them (all their member ways: a route or a forest is taken whole, as
// from a file of the city), and the nodes of all those ways.  Two passes:
// nodes, ways and relations, then the ways again for the member ways beyond.
//
// What lies farther out is left out before it is mapped (and counted as
// outside), as a whole-file read would leave it out after; so is a way or an
// outline that spans the box between nodes all farther out than that.
#include <osmium/memory/buffer.hpp>
#include <osmium/osm/relation.hpp>

#include <cstddef>
#include <filesystem>
#include <functional>

#include "importer/GeoBox.h"
#include "importer/IdSet.h"
#include "importer/ImportControl.h"

struct AreaSelection {
  IdSet Nodes;  // whose locations the main pass keeps
  IdSet Ways;   // the main pass maps
  // The relations the import takes that reach into the box, in the order of
  // the file, for the managers' first pass; the rest were counted.
  osmium::memory::Buffer Relations{1024 * 1024, osmium::memory::Buffer::auto_grow::yes};
};

struct RelationWanted {
  std::function<bool(const osmium::Relation&)> Wanted;  // by the managers of areas and lines
  std::function<void(const osmium::Relation&)> Beyond;  // one wanted that lies wholly beyond the box
};

AreaSelection SelectArea(const std::filesystem::path& input, const GeoBox& box, const RelationWanted& relations,
                         const ImportControl& control);
