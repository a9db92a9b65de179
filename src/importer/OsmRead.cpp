#include "importer/OsmRead.h"

#include <osmium/area/multipolygon_manager.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/visitor.hpp>

#include "importer/AreaProblems.h"
#include "importer/AreaSelection.h"
#include "importer/FeatureCollector.h"
#include "importer/LineRelations.h"
#include "importer/OsmInputFile.h"
#include "importer/SelectedLocations.h"
#include "mapdata/NativeName.h"

namespace {

using LocationIndex = osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;

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

namespace {

using AreaManager = osmium::area::MultipolygonManager<CheckedAssembler>;

// The managers' first pass: the relations they take, from the file or from
// those a cut keeps.
template <typename Relations>
void RegisterRelations(Relations& relations, AreaManager& areas, LineRelations& lines) {
  for (osmium::OSMEntity& item : relations.template select<osmium::OSMEntity>()) osmium::apply_item(item, areas, lines);
}

void ReadRelations(const std::filesystem::path& input, const ImportControl& control, AreaManager& areas,
                   LineRelations& lines) {
  osmium::io::Reader relations{OsmInputFile(input), osmium::osm_entity_bits::relation, osmium::io::read_meta::no};
  ReadWatched(relations, InputSize(input), ImportStep::ReadingRelations, control,
              [&](osmium::memory::Buffer& buffer) { RegisterRelations(buffer, areas, lines); });
  relations.close();
}

// The main pass: nodes with their locations kept in `index`, ways and areas
// mapped; a way the cut did not select only counted as lying outside, an
// object beyond the limits (ObjectLimits.h) in `report`.
template <typename Index>
void ReadData(const std::filesystem::path& input, const ImportControl& control, Index& index, AreaManager& areas,
              LineRelations& lines, FeatureCollector& collector, AreaSelection* cut, ImportReport& report) {
  osmium::handler::NodeLocationsForWays<Index> locations{index};
  locations.ignore_errors();  // a way with a node the extract lacks is counted, not fatal
  osmium::io::Reader reader{OsmInputFile(input), osmium::osm_entity_bits::nwr, osmium::io::read_meta::no};
  auto areaHandler = areas.handler([&collector](osmium::memory::Buffer&& buffer) { osmium::apply(buffer, collector); });
  auto lineHandler = lines.handler();
  // Item by item, flushed once at the end as a whole-file apply does, so that
  // the areas reach the collector in the same order whatever the buffers.
  ReadWatched(reader, InputSize(input), ImportStep::ReadingData, control, [&](osmium::memory::Buffer& buffer) {
    for (osmium::OSMEntity& item : buffer.select<osmium::OSMEntity>()) {
      if (cut && item.type() == osmium::item_type::way &&
          !cut->Ways.Contains(static_cast<const osmium::Way&>(item).id())) {
        collector.WayOutside(static_cast<const osmium::Way&>(item));
        continue;
      }
      osmium::apply_item(item, locations, areaHandler, lineHandler, collector);
    }
  }, 0, 1, &report);
  osmium::apply_flush(locations, areaHandler, lineHandler, collector);
  reader.close();
}

}  // namespace

Features ReadFeatures(const std::filesystem::path& input, std::optional<GeoBox> box, const ImportControl& control,
                      CutLocations locations) {
  Features features;
  AreaProblems problems{features.Report};
  CheckedAssembler::config_type config;
  config.problem_reporter = &problems;
  config.create_empty_areas = false;
  AreaManager areas{config, AreaTagsFilter()};
  LineRelations lines{features, box};
  FeatureCollector collector{features, box};
  if (box && locations == CutLocations::OfTheArea) {
    const RelationWanted wanted{
        [&](const osmium::Relation& r) { return areas.new_relation(r) || lines.new_relation(r); },
        [&](const osmium::Relation& r) { collector.RelationOutside(r, areas.new_relation(r)); }};
    AreaSelection cut = SelectArea(input, *box, wanted, control);
    RegisterRelations(cut.Relations, areas, lines);
    cut.Relations = osmium::memory::Buffer{};
    areas.prepare_for_lookup();
    lines.prepare_for_lookup();
    SelectedLocations index{cut.Nodes.Take()};
    ReadData(input, control, index, areas, lines, collector, &cut, features.Report);
  } else {
    ReadRelations(input, control, areas, lines);
    areas.prepare_for_lookup();
    lines.prepare_for_lookup();
    LocationIndex index;
    ReadData(input, control, index, areas, lines, collector, nullptr, features.Report);
  }

  areas.for_each_incomplete_relation([&features](const osmium::relations::RelationHandle&) {
    features.Report.Skip("multipolygon with member ways missing from the extract");
  });
  lines.TakeIncomplete();
  return features;
}
