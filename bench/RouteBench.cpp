// Directions: one route across a city, and the road graph's load (file to
// a network ready to route on) with the memory it takes against the file's
// bytes.  The cities are made-up grids of 150 x 120 m blocks (a node at every
// crossing and one in the middle of each row's block side, every third row
// one-way, a footway across every fifth block), 10 and 50 km across; set
// TELLURIN_BENCH_ROUTE_CITY to a city folder with a Data/Roads.gr (an import
// of tellurin-osm-synth --blocks 250, the city a 1 GB region is cut around)
// to measure its graph too.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>

#include "route/RoadGraphBuilder.h"
#include "route/Router.h"

namespace {

namespace fs = std::filesystem;

constexpr double kUnit = 4;  // metres per map unit, as imports have it
constexpr double kBlockWidth = 150 / kUnit, kBlockHeight = 120 / kUnit;

RoadGraph GridCity(int km) {
  const int columns = static_cast<int>(km * 1000 / 150), rows = static_cast<int>(km * 1000 / 120);
  RoadGraphBuilder graph(kUnit);
  const auto at = [](double x, double y) { return RoadNode{static_cast<int32_t>(x), static_cast<int32_t>(y)}; };
  const auto key = [&](int i, int j, int part) { return (int64_t(j) * (columns + 1) + i) * 4 + part; };
  const auto add = [&](int64_t ka, RoadNode a, int64_t kb, RoadNode b, uint32_t name, RoadClass c, uint8_t access) {
    graph.AddSegment(ka, a, kb, b, std::hypot(b.X - a.X, b.Y - a.Y) * kUnit, name, c, access);
  };
  for (int j = 0; j <= rows; ++j) {
    const uint32_t name = graph.Name("row " + std::to_string(j));
    const uint8_t access = j % 3 == 1 ? uint8_t(road_access::Foot | road_access::CarForward) : road_access::All;
    for (int i = 0; i < columns; ++i) {
      const RoadNode a = at(i * kBlockWidth, j * kBlockHeight), m = at((i + 0.5) * kBlockWidth, j * kBlockHeight + i % 3),
                     b = at((i + 1) * kBlockWidth, j * kBlockHeight);
      add(key(i, j, 0), a, key(i, j, 1), m, name, RoadClass::Residential, access);
      add(key(i, j, 1), m, key(i + 1, j, 0), b, name, RoadClass::Residential, access);
    }
  }
  for (int i = 0; i <= columns; ++i) {
    const uint32_t name = graph.Name("column " + std::to_string(i));
    for (int j = 0; j < rows; ++j)
      add(key(i, j, 0), at(i * kBlockWidth, j * kBlockHeight), key(i, j + 1, 0), at(i * kBlockWidth, (j + 1) * kBlockHeight),
          name, i % 5 ? RoadClass::Tertiary : RoadClass::Primary, road_access::All);
  }
  for (int j = 0; j < rows; ++j)
    for (int i = j % 5; i < columns; i += 5)
      add(key(i, j, 1), at((i + 0.5) * kBlockWidth, j * kBlockHeight + i % 3), key(i, j + 1, 1),
          at((i + 0.5) * kBlockWidth, (j + 1) * kBlockHeight + i % 3), 0, RoadClass::Footway, road_access::Foot);
  return graph.Take();
}

// Pairs of points far apart: from the west fifth of the map to the east fifth.
std::vector<std::pair<MapPointF, MapPointF>> Pairs(const RoadNetwork& network) {
  int32_t maxX = 0, maxY = 0, minX = 0, minY = 0;
  for (const RoadNode& n : network.Graph().Nodes)
    maxX = std::max(maxX, n.X), maxY = std::max(maxY, n.Y), minX = std::min(minX, n.X), minY = std::min(minY, n.Y);
  std::mt19937 rng(36);
  std::uniform_real_distribution<double> y(minY, maxY), west(minX, minX + (maxX - minX) / 5.0),
      east(maxX - (maxX - minX) / 5.0, maxX);
  std::vector<std::pair<MapPointF, MapPointF>> pairs;
  for (int k = 0; k < 32; ++k) pairs.push_back({{west(rng), y(rng)}, {east(rng), y(rng)}});
  return pairs;
}

void Route(benchmark::State& state, const RoadNetwork& network, TravelMode mode) {
  const auto pairs = Pairs(network);
  size_t k = 0, found = 0;
  double metres = 0;
  for (auto _ : state) {
    const auto& [from, to] = pairs[k++ % pairs.size()];
    const RouteAnswer answer = FindRoute(network, from, to, mode);
    if (answer.Found) ++found, metres += answer.Found->Metres;
    benchmark::DoNotOptimize(answer);
  }
  state.counters["found"] = double(found) / double(k);
  state.counters["km"] = found ? metres / double(found) / 1000 : 0;
}

const RoadNetwork& GridNetwork(int km) {
  static std::map<int, std::unique_ptr<RoadNetwork>> networks;
  auto& network = networks[km];
  if (!network) network = std::make_unique<RoadNetwork>(GridCity(km));
  return *network;
}

void BM_RouteAcrossGridCity(benchmark::State& state) {
  Route(state, GridNetwork(static_cast<int>(state.range(0))), state.range(1) ? TravelMode::Car : TravelMode::Foot);
}
BENCHMARK(BM_RouteAcrossGridCity)->Args({10, 0})->Args({10, 1})->Args({50, 0})->Args({50, 1})->Unit(benchmark::kMillisecond);

// The file read and the network built, as a route's first use does.
void LoadGraph(benchmark::State& state, const CityLocation& city) {
  size_t memory = 0;
  for (auto _ : state) {
    RoadGraphReading reading = ReadRoadGraph(city);
    if (!reading.Graph) {
      state.SkipWithError(reading.Problem.c_str());
      return;
    }
    const RoadNetwork network(std::move(*reading.Graph));
    memory = network.MemoryBytes();
  }
  const double bytes = static_cast<double>(fs::file_size(city.File(kRoadGraphFile)));
  state.counters["file_MB"] = bytes / 1e6;
  state.counters["memory_per_file_byte"] = static_cast<double>(memory) / bytes;
}

void BM_RoadGraphLoadGrid(benchmark::State& state) {
  const fs::path root = fs::temp_directory_path() / ("tellurin-route-bench-" + std::to_string(::getpid()));
  const CityLocation city{root, "City"};
  fs::create_directories(city.File("Data"));
  std::ofstream(city.File(kRoadGraphFile), std::ios::binary) << RoadGraphBytes(GridCity(static_cast<int>(state.range(0))));
  LoadGraph(state, city);
  fs::remove_all(root);
}
BENCHMARK(BM_RoadGraphLoadGrid)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

std::optional<CityLocation> RouteCity() {
  const char* dir = std::getenv("TELLURIN_BENCH_ROUTE_CITY");
  if (!dir || !*dir) return std::nullopt;
  const fs::path path = fs::absolute(dir).lexically_normal();
  return CityLocation{path.parent_path(), path.filename().string()};
}

void BM_RouteAcrossRealCity(benchmark::State& state) {
  const std::optional<CityLocation> city = RouteCity();
  if (!city) return state.SkipWithError("TELLURIN_BENCH_ROUTE_CITY is not set");
  static std::unique_ptr<RoadNetwork> network;
  if (!network) {
    RoadGraphReading reading = ReadRoadGraph(*city);
    if (!reading.Graph) return state.SkipWithError(reading.Problem.c_str());
    network = std::make_unique<RoadNetwork>(std::move(*reading.Graph));
  }
  Route(state, *network, state.range(0) ? TravelMode::Car : TravelMode::Foot);
}
BENCHMARK(BM_RouteAcrossRealCity)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RoadGraphLoadRealCity(benchmark::State& state) {
  const std::optional<CityLocation> city = RouteCity();
  if (!city) return state.SkipWithError("TELLURIN_BENCH_ROUTE_CITY is not set");
  LoadGraph(state, *city);
}
BENCHMARK(BM_RoadGraphLoadRealCity)->Unit(benchmark::kMillisecond);

}  // namespace
