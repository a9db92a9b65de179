#include "OsmRead.h"

#include <osmium/area/multipolygon_manager.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/relations/manager_util.hpp>
#include <osmium/visitor.hpp>

#include "AreaProblems.h"
#include "FeatureCollector.h"
#include "LineRelations.h"
#include "OsmInputFile.h"
#include "mapdata/NativeName.h"

namespace {

using LocationIndex = osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;
using LocationHandler = osmium::handler::NodeLocationsForWays<LocationIndex>;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool IsOsmFileName(const std::filesystem::path& input) {
  const std::string name = NativeString(input.filename());
  for (const char* end : {".osm", ".osm.gz", ".osm.bz2", ".osm.pbf", ".pbf"})
    if (EndsWith(name, end) && name.size() > std::string(end).size()) return true;
  return false;
}

Features ReadFeatures(const std::filesystem::path& input, std::optional<GeoBox> box) {
  Features features;
  AreaProblems problems{features.Report};
  CheckedAssembler::config_type config;
  config.problem_reporter = &problems;
  config.create_empty_areas = false;
  osmium::area::MultipolygonManager<CheckedAssembler> areas{config, AreaTagsFilter()};
  LineRelations lines{features, box};
  osmium::relations::read_relations(OsmInputFile(input), areas, lines);

  LocationIndex index;
  LocationHandler locations{index};
  locations.ignore_errors();  // a way with a node the extract lacks is counted, not fatal
  FeatureCollector collector{features, box};
  osmium::io::Reader reader{OsmInputFile(input), osmium::osm_entity_bits::node | osmium::osm_entity_bits::way |
                                      osmium::osm_entity_bits::relation,
                            osmium::io::read_meta::no};
  osmium::apply(reader, locations,
                areas.handler([&collector](osmium::memory::Buffer&& buffer) { osmium::apply(buffer, collector); }),
                lines.handler(), collector);
  reader.close();

  areas.for_each_incomplete_relation([&features](const osmium::relations::RelationHandle&) {
    features.Report.Skip("multipolygon with member ways missing from the extract");
  });
  lines.TakeIncomplete();
  return features;
}
