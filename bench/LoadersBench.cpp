// Speed of each loader and of the whole load: the time per record must stay the
// same from ten thousand records to a million (plain files: the scrambled twins
// are limited to 100 KB by their format).  Reported as time per record, the
// whole load also as each step's share; a city on disk also against the time
// its files take to read.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "citywriter/LayerWriter.h"
#include "mapdata/Loaders.h"
#include "shell/LoadCity.h"
#include "shell/RecordingHost.h"
#include "state/LoadTimes.h"
#include "state/MapCore.h"

namespace {

namespace fs = std::filesystem;

using RecordOf = std::function<LayerRecord(int index)>;

// A few points around (x, y), as a small building's outline.
std::string Outline(int i) {
  const std::string x = std::to_string(i % 5000), y = std::to_string(i / 5000);
  return x + " " + y + " " + x + "5 " + y + " " + x + "5 " + y + "7 " + x + " " + y + "7";
}
std::string Point(int i) { return std::to_string(i % 5000) + " " + std::to_string(i / 5000); }
std::string Name(const char* what, int i, int kinds) { return what + std::to_string(i % kinds); }

LayerRecord Street(int i) { return {Name("Street ", i, 700), "street", "3", "4", Outline(i)}; }
LayerRecord Building(int i) { return {Name("Street ", i, 700), std::to_string(i % 90), " ", "4", Outline(i)}; }
LayerRecord Route(int i) { return {"bus", std::to_string(i), " ", "4", Outline(i)}; }
LayerRecord Label(int i) { return {Name("Label ", i, 500), "12", Point(i)}; }
LayerRecord Region(int i) { return {"park", "4", Outline(i), "0", " "}; }
LayerRecord Object(int i) { return {Name("Kind ", i, 12), Name("Street ", i, 700), "1", Name("Object ", i, 900), Point(i), "0"}; }
LayerRecord Firm(int i) { return {Name("Firm ", i, 5000), Name("Street ", i, 700), "1", Point(i), "food"}; }

// A scratch data root holding the city "City"; removed with the object.
class ScratchCity {
 public:
  ScratchCity() {
    std::string pattern = (fs::temp_directory_path() / "tellurin-bench-XXXXXX").string();
    top_ = fs::path(mkdtemp(pattern.data()));
    fs::create_directories(Root() / "City" / "Data");
    fs::create_directories(Root() / "City" / "Firms");
  }
  ~ScratchCity() { fs::remove_all(top_); }
  fs::path Root() const { return top_ / "Base"; }
  fs::path File(const std::string& relative) const { return Root() / "City" / relative; }

  // A plain layer file of `records` records, written record by record.
  void WriteLayer(const std::string& relative, int records, const RecordOf& record) const {
    std::ofstream out(File(relative), std::ios::binary);
    out << records << "\r\n";
    std::string chunk;
    for (int i = 0; i < records; ++i) {
      AppendRecordLines(chunk, record(i));
      if (chunk.size() < (1u << 20)) continue;
      out << chunk;
      chunk.clear();
    }
    out << chunk;
  }
  // One plain firm file per firm, without pictures (each gets the built-in marker).
  void WriteFirms(int firms) const {
    for (int i = 0; i < firms; ++i)
      std::ofstream(File("Firms/firm" + std::to_string(i) + ".txt"), std::ios::binary) << PlainFirmBytes(Firm(i));
  }

 private:
  fs::path top_;
};

// Each step's share of the whole load (the steps of LoadCity, and LoadCity's
// own time as the whole), so that a step that grows shows.
void ReportStepShares(benchmark::State& state, const LoadTimes& times) {
  double whole = 0;
  for (const LoadStepTime& step : times.Steps)
    if (std::string_view(step.Step) == "LoadCity") whole = step.Milliseconds;
  if (whole <= 0) return;
  for (const LoadStepTime& step : times.Steps)
    if (std::string_view(step.Step) != "LoadCity")
      state.counters[std::string("share_") + step.Step] = step.Milliseconds / whole;
}

void ReportPerRecord(benchmark::State& state) {
  state.counters["per_record"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

// Times `load` on a city whose layer file `relative` holds range(0) records.
void TimeLayerLoad(benchmark::State& state, const char* relative, const RecordOf& record,
                   void (*load)(const LayerLoad&)) {
  ScratchCity city;
  city.WriteLayer(relative, static_cast<int>(state.range(0)), record);
  RecordingHost host;
  MapCore core(host, city.Root());
  for (auto _ : state) load(core.Loading("City"));
  ReportPerRecord(state);
}

void BM_LoadStreets(benchmark::State& s) { TimeLayerLoad(s, "Data/Streets.txt", Street, LoadStreets); }
void BM_LoadBuildings(benchmark::State& s) { TimeLayerLoad(s, "Data/Buildings.txt", Building, LoadBuildings); }
void BM_LoadRoutes(benchmark::State& s) { TimeLayerLoad(s, "Data/Path.txt", Route, LoadRoutes); }
void BM_LoadLabels(benchmark::State& s) { TimeLayerLoad(s, "Data/Texts.txt", Label, LoadLabels); }
void BM_LoadRegions(benchmark::State& s) { TimeLayerLoad(s, "Data/Regions.txt", Region, LoadRegions); }
void BM_LoadObjects(benchmark::State& s) { TimeLayerLoad(s, "Data/Objects.txt", Object, LoadObjects); }

// One file per firm: a million would be a million files, so the firms stop at
// a hundred thousand.
void BM_LoadFirms(benchmark::State& state) {
  ScratchCity city;
  city.WriteFirms(static_cast<int>(state.range(0)));
  RecordingHost host;
  MapCore core(host, city.Root());
  for (auto _ : state) LoadFirms(core.Loading("City"));
  ReportPerRecord(state);
}

// The whole load sequence (every loader, the keyword list, the address list,
// the draw list and the first redraw) of a city of range(0) buildings, streets
// and labels in the proportions of the demo city.
void BM_LoadCity(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  ScratchCity city;
  city.WriteLayer("Data/Buildings.txt", records * 66 / 100, Building);
  city.WriteLayer("Data/Regions.txt", records * 11 / 100, Region);
  city.WriteLayer("Data/Texts.txt", records * 9 / 100, Label);
  city.WriteLayer("Data/Objects.txt", records * 5 / 100, Object);
  city.WriteLayer("Data/Streets.txt", records * 5 / 100, Street);
  city.WriteLayer("Data/Path.txt", records * 1 / 100, Route);
  RecordingHost host(1920, 1080);
  MapCore core(host, city.Root());
  for (auto _ : state) LoadCity(core, "City", "City");
  ReportPerRecord(state);
  ReportStepShares(state, core.LastLoadTimes);
}

// Every file under `dir` read to its end, as `cat` does; its bytes.
size_t ReadEveryFile(const fs::path& dir) {
  static std::vector<char> chunk(1 << 16);
  size_t bytes = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    std::ifstream in(e.path(), std::ios::binary);
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
      bytes += static_cast<size_t>(in.gcount());
  }
  return bytes;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The whole load of a city folder on disk (TELLURIN_BENCH_CITY, for example
// the 300-fold demo city: `tellurin-demo-city --scale 300 --out DIR`, then
// DIR/Мегаполис) side by side with reading every file of it, in turns, so that
// both meet the same machine: the medians, their ratio and each step's share
// of the load.
void BM_LoadCityAgainstReadingIt(benchmark::State& state) {
  const char* dir = std::getenv("TELLURIN_BENCH_CITY");
  if (!dir || !*dir) {
    state.SkipWithError("set TELLURIN_BENCH_CITY to a city folder");
    return;
  }
  const fs::path city(dir);
  RecordingHost host;
  MapCore core(host, city.parent_path());
  const std::string name = city.filename().string();
  std::vector<double> loads, reads;
  using Clock = std::chrono::steady_clock;
  const auto since = [](Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); };
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    if (!LoadCity(core, name, name)) state.SkipWithError("the city does not load");
    loads.push_back(since(start));
    start = Clock::now();
    benchmark::DoNotOptimize(ReadEveryFile(city));
    reads.push_back(since(start));
  }
  state.counters["load_ms"] = Median(loads);
  state.counters["read_ms"] = Median(reads);
  state.counters["load_per_read"] = Median(loads) / std::max(1e-9, Median(reads));
  ReportStepShares(state, core.LastLoadTimes);
}

#define PER_RECORD(bm) BENCHMARK(bm)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
PER_RECORD(BM_LoadStreets);
PER_RECORD(BM_LoadBuildings);
PER_RECORD(BM_LoadRoutes);
PER_RECORD(BM_LoadLabels);
PER_RECORD(BM_LoadRegions);
PER_RECORD(BM_LoadObjects);
PER_RECORD(BM_LoadCity);
BENCHMARK(BM_LoadFirms)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCityAgainstReadingIt)->Iterations(7)->Unit(benchmark::kMillisecond);

}  // namespace
