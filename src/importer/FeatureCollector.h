#pragma once
// The mapping stage: an osmium handler that turns the nodes, ways and
// assembled areas of the data into the features of the city (streets,
// buildings, regions, labels, objects, firms), by the tables of
// TagMapping.h.  Relations of routes and borders: LineRelations.h.
#include <osmium/handler.hpp>
#include <osmium/osm/area.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/relation.hpp>
#include <osmium/osm/way.hpp>
#include <osmium/tags/taglist.hpp>
#include <osmium/tags/tags_filter.hpp>

#include <optional>
#include <string>

#include "importer/Features.h"
#include "importer/GeoBox.h"

struct StreetClass;

class FeatureCollector : public osmium::handler::Handler {
 public:
  // Features lying wholly outside the box (when given) are left out.
  FeatureCollector(Features& features, std::optional<GeoBox> box);

  void node(const osmium::Node& node);
  void way(const osmium::Way& way);
  void area(const osmium::Area& area);
  // Counts the routes of kinds not imported (hiking, road, ...).
  void relation(const osmium::Relation& relation);

  // What a cut left out without reading its nodes, counted as lying outside
  // the box where it would have made a line or an area (a relation: one
  // taken by the multipolygon manager, `area`, or a route).
  void WayOutside(const osmium::Way& way);
  void RelationOutside(const osmium::Relation& relation, bool area);

 private:
  // Objects, firms and place names at one point of a node or an area.
  void CollectPoint(const osmium::TagList& tags, GeoPoint at, const std::string& base);
  void CollectFirm(const osmium::TagList& tags, GeoPoint at, const std::string& base);
  bool CollectStreet(const osmium::Way& way);
  void CollectRoad(const osmium::Way& way, const StreetClass& street);
  bool CollectLine(const osmium::Way& way, LineFeature line);
  void CountUnassembledArea(const osmium::Way& way, bool missingNodesCounted);
  bool Inside(const GeoBox& bounds);

  Features& f_;
  std::optional<GeoBox> box_;
  osmium::TagsFilter areaTags_;
};

// A settlement's node (place=city, town, village, hamlet, suburb) with a
// name; nothing for any other.
std::optional<SettlementFeature> SettlementOf(const osmium::TagList& tags, GeoPoint at, const std::string& id);

// The tags that make areas worth assembling (buildings, regions, objects,
// firms and named places on areas), for the multipolygon manager; the
// collector decides on the whole set of tags of what was assembled.
osmium::TagsFilter AreaTagsFilter();
