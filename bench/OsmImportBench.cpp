// Speed of the importer's mapping stage on a made-up city held in memory (no
// file read, nothing written): the tags of nodes, ways and assembled areas
// turned into features, and the features into the records of a city
// (projection, joining, splitting, addresses, labels).  Per item, the time
// must stay flat from a small town to a big city.
#include <benchmark/benchmark.h>
#include <osmium/area/multipolygon_manager.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/visitor.hpp>

#include <vector>

#include "SyntheticExtract.h"
#include "importer/AreaProblems.h"
#include "importer/CityAssembly.h"
#include "importer/FeatureCollector.h"
#include "importer/OsmImport.h"

namespace {

using LocationIndex = osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;

// The made-up city as libosmium hands it to the mapping: ways with their node
// locations, and the areas assembled from them.
struct Extract {
  std::vector<osmium::memory::Buffer> Data;
  std::vector<osmium::memory::Buffer> Areas;
  size_t Objects = 0;
};

Extract MakeExtract(int blocks) {
  Extract e;
  GenerateSyntheticExtract({blocks}, [&](osmium::memory::Buffer&& b) { e.Data.push_back(std::move(b)); });
  LocationIndex index;
  osmium::handler::NodeLocationsForWays<LocationIndex> locations{index};
  ImportReport report;
  AreaProblems problems{report};
  CheckedAssembler::config_type config;
  config.problem_reporter = &problems;
  config.create_empty_areas = false;
  osmium::area::MultipolygonManager<CheckedAssembler> areas{config, AreaTagsFilter()};
  for (osmium::memory::Buffer& b : e.Data) osmium::apply(b, areas);  // the relations first
  areas.prepare_for_lookup();
  auto second = areas.handler([&](osmium::memory::Buffer&& b) { e.Areas.push_back(std::move(b)); });
  for (osmium::memory::Buffer& b : e.Data) {
    osmium::apply(b, locations, second);
    for (const auto& item : b) (void)item, ++e.Objects;
  }
  second.flush();
  return e;
}

Features Collect(const Extract& e) {
  Features features;
  FeatureCollector collector{features, std::nullopt};
  for (const osmium::memory::Buffer& b : e.Data) osmium::apply(b.cbegin(), b.cend(), collector);
  for (const osmium::memory::Buffer& b : e.Areas) osmium::apply(b.cbegin(), b.cend(), collector);
  return features;
}

void BM_MapOsmObjects(benchmark::State& state) {
  const Extract extract = MakeExtract(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(Collect(extract));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(extract.Objects));
}
BENCHMARK(BM_MapOsmObjects)->Arg(10)->Arg(40)->Arg(120)->Unit(benchmark::kMillisecond);

void BM_AssembleCityRecords(benchmark::State& state) {
  const Extract extract = MakeExtract(static_cast<int>(state.range(0)));
  const Features features = Collect(extract);
  size_t records = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Features copy = features;
    state.ResumeTiming();
    AssembledCity city;
    std::string error;
    if (!AssembleCity(copy, {"Город", kDefaultUnit, std::nullopt, std::nullopt, {}, nullptr}, city, error)) state.SkipWithError(error.c_str());
    records = city.Map.Streets.size() + city.Map.Buildings.size() + city.Map.Regions.size() + city.Map.Labels.size() +
              city.Map.Objects.size() + city.Map.Firms.size() + city.Map.Routes.size();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(records));
}
BENCHMARK(BM_AssembleCityRecords)->Arg(10)->Arg(40)->Arg(120)->Unit(benchmark::kMillisecond);

}  // namespace
