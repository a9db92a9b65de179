// A big city's load in the map window, to its drawn map, side by side with the
// load the command line does (the same LoadCity on a window-less core), in
// turns, so that both meet the same machine.  The window's part is what it
// adds: its lists, panels and the painting of the map.
//
// TELLURIN_BENCH_CITY names the city folder, for example the thousandfold
// demo city: `tellurin-demo-city --scale 1000 --out DIR`, then
// TELLURIN_BENCH_CITY=DIR/Мегаполис.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/LoadCity.h"
#include "shell/RecordingHost.h"
#include "shell/widgets/MapWindow.h"
#include "state/MapCore.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// From the call to the map painted in a shown window.
double WindowLoad(const std::filesystem::path& city) {
  MapWindow window(city.parent_path());
  window.MessageSink = [](const std::string&) {};
  window.show();
  QCoreApplication::processEvents();
  const Clock::time_point start = Clock::now();
  const bool loaded = window.LoadCity(city.filename().string(), "bench");
  QCoreApplication::processEvents();
  window.repaint();
  return loaded ? MillisecondsSince(start) : -1;
}

double CoreLoad(const std::filesystem::path& city) {
  RecordingHost host;
  MapCore core(host, city.parent_path());
  const Clock::time_point start = Clock::now();
  const bool loaded = LoadCity(core, city.filename().string(), "bench");
  return loaded ? MillisecondsSince(start) : -1;
}

void BM_WindowLoadAgainstCommandLine(benchmark::State& state) {
  const char* dir = std::getenv("TELLURIN_BENCH_CITY");
  if (!dir || !*dir) {
    state.SkipWithError("set TELLURIN_BENCH_CITY to a city folder");
    return;
  }
  std::vector<double> window, core;
  for (auto _ : state) {
    window.push_back(WindowLoad(dir));
    core.push_back(CoreLoad(dir));
    if (window.back() < 0 || core.back() < 0) state.SkipWithError("the city does not load");
  }
  state.counters["window_ms"] = Median(window);
  state.counters["command_line_ms"] = Median(core);
  state.counters["window_more_ms"] = Median(window) - Median(core);
}

BENCHMARK(BM_WindowLoadAgainstCommandLine)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
