#include "OsmRead.h"

#include <osmium/area/multipolygon_manager.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
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

size_t InputSize(const std::filesystem::path& input) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(input, ec);
  return ec ? 0 : static_cast<size_t>(size);
}

Features ReadFeatures(const std::filesystem::path& input, std::optional<GeoBox> box, const ImportControl& control) {
  const size_t size = InputSize(input);
  Features features;
  AreaProblems problems{features.Report};
  CheckedAssembler::config_type config;
  config.problem_reporter = &problems;
  config.create_empty_areas = false;
  osmium::area::MultipolygonManager<CheckedAssembler> areas{config, AreaTagsFilter()};
  LineRelations lines{features, box};
  {
    osmium::io::Reader relations{OsmInputFile(input), osmium::osm_entity_bits::relation, osmium::io::read_meta::no};
    ReadWatched(relations, size, ImportStep::ReadingRelations, control,
                [&](osmium::memory::Buffer& buffer) {
                  for (osmium::OSMEntity& item : buffer.select<osmium::OSMEntity>()) osmium::apply_item(item, areas, lines);
                });
    relations.close();
  }
  areas.prepare_for_lookup();
  lines.prepare_for_lookup();

  LocationIndex index;
  LocationHandler locations{index};
  locations.ignore_errors();  // a way with a node the extract lacks is counted, not fatal
  FeatureCollector collector{features, box};
  osmium::io::Reader reader{OsmInputFile(input), osmium::osm_entity_bits::node | osmium::osm_entity_bits::way |
                                      osmium::osm_entity_bits::relation,
                            osmium::io::read_meta::no};
  auto areaHandler = areas.handler([&collector](osmium::memory::Buffer&& buffer) { osmium::apply(buffer, collector); });
  auto lineHandler = lines.handler();
  // Item by item, flushed once at the end as a whole-file apply does, so that
  // the areas reach the collector in the same order whatever the buffers.
  ReadWatched(reader, size, ImportStep::ReadingData, control, [&](osmium::memory::Buffer& buffer) {
    for (osmium::OSMEntity& item : buffer.select<osmium::OSMEntity>())
      osmium::apply_item(item, locations, areaHandler, lineHandler, collector);
  });
  osmium::apply_flush(locations, areaHandler, lineHandler, collector);
  reader.close();

  areas.for_each_incomplete_relation([&features](const osmium::relations::RelationHandle&) {
    features.Report.Skip("multipolygon with member ways missing from the extract");
  });
  lines.TakeIncomplete();
  return features;
}
