// Speed of reading a layer file: the time per record must stay the same from a
// thousand records to hundreds of thousands (the plain buildings file of a big
// city; its scrambled twin is limited to 100 KB by its format).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "citywriter/LayerWriter.h"
#include "mapdata/Loaders.h"
#include "shell/MapCore.h"
#include "shell/RecordingHost.h"

namespace {

namespace fs = std::filesystem;

// A data root with one city whose buildings file holds `records` outlines.
fs::path WriteCity(int records) {
  std::string pattern = (fs::temp_directory_path() / "tellurin-bench-XXXXXX").string();
  const fs::path root = fs::path(mkdtemp(pattern.data())) / "Base";
  fs::create_directories(root / "City" / "Data");
  std::vector<LayerRecord> rows;
  rows.reserve(static_cast<size_t>(records));
  for (int i = 0; i < records; ++i) {
    const std::string x = std::to_string(i % 5000), y = std::to_string(i / 5000);
    rows.push_back({"Street " + std::to_string(i % 700), std::to_string(i % 90), " ", "4",
                    x + " " + y + " " + x + "5 " + y + " " + x + "5 " + y + "7 " + x + " " + y + "7"});
  }
  std::ofstream(root / "City" / "Data" / "Buildings.txt", std::ios::binary) << PlainLayerBytes(rows);
  return root;
}

void BM_LoadBuildingsPlain(benchmark::State& state) {
  const fs::path root = WriteCity(static_cast<int>(state.range(0)));
  RecordingHost host;
  MapCore core(host, root);
  for (auto _ : state) {
    LoadBuildings(core.Loading("City"));
    benchmark::DoNotOptimize(core.Tables.ListOfBuildings.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  fs::remove_all(root.parent_path());
}
BENCHMARK(BM_LoadBuildingsPlain)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

}  // namespace
