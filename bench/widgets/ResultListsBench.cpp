// The map window's result lists over a big city: the memory of the window
// after the load, and the time from Enter in the list search (empty key, every
// named record) to the painted list, next to the search alone.
//
// TELLURIN_BENCH_CITY names the city folder, for example the hundredfold demo
// city: `tellurin-demo-city --scale 100 --out DIR`, then
// TELLURIN_BENCH_CITY=DIR/Мегаполис.  Memory is the whole process's, so run
// BM_WindowAfterLoad first in its own process for the peak:
//   tellurin_widget_bench --benchmark_filter=WindowAfterLoad
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "search/ListSearch.h"
#include "shell/widgets/MapWindow.h"

namespace {

// A figure of /proc/self/status ("VmRSS", "VmHWM"), in MiB.
double StatusMiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field + ":", 0) == 0) return std::strtod(line.c_str() + field.size() + 1, nullptr) / 1024.0;
  return 0;
}

void Settle(QWidget& window) {
  QCoreApplication::processEvents();
  window.repaint();
}

struct BenchWindow {
  std::unique_ptr<MapWindow> Form;
  double EmptyRss = 0;   // the window shown, no city
  double LoadedRss = 0;  // the city loaded and painted
  bool Loaded = false;
};

// The window, shown, with the city loaded once for every benchmark.
BenchWindow& Window() {
  static BenchWindow w = [] {
    BenchWindow b;
    const char* dir = std::getenv("TELLURIN_BENCH_CITY");
    if (!dir || !*dir) return b;
    const std::filesystem::path city(dir);
    b.Form = std::make_unique<MapWindow>(city.parent_path());
    b.Form->MessageSink = [](const std::string&) {};
    b.Form->show();
    Settle(*b.Form);
    b.EmptyRss = StatusMiB("VmRSS");
    b.Loaded = b.Form->LoadCity(city.filename().string(), "bench");
    Settle(*b.Form);
    b.LoadedRss = StatusMiB("VmRSS");
    return b;
  }();
  return w;
}

bool Ready(benchmark::State& state) {
  if (Window().Loaded) return true;
  state.SkipWithError("set TELLURIN_BENCH_CITY to a city folder that loads");
  return false;
}

// The list search's result list, found by name (whatever kind of table view it is).
QTableView* SearchList(MapWindow& form) { return form.findChild<QTableView*>("SearchListView"); }
QLineEdit* SearchEdit(MapWindow& form) { return form.findChild<QLineEdit*>("Edit1"); }

void BM_WindowAfterLoad(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Ready(state));
  if (!Ready(state)) return;
  const BenchWindow& w = Window();
  state.counters["rss_MiB"] = w.LoadedRss;
  state.counters["peak_MiB"] = StatusMiB("VmHWM");
  state.counters["above_empty_MiB"] = w.LoadedRss - w.EmptyRss;
  state.counters["results"] = SearchList(*w.Form)->model()->rowCount();
}

void BM_EnterToPaintedList(benchmark::State& state) {
  if (!Ready(state)) return;
  MapWindow& f = *Window().Form;
  QLineEdit* edit = SearchEdit(f);
  QTableView* list = SearchList(f);
  edit->clear();
  for (auto _ : state) {
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    list->viewport()->repaint();
  }
  state.counters["results"] = list->model()->rowCount();
}

// The search alone, on the window's own tables.
void BM_SearchAlone(benchmark::State& state) {
  if (!Ready(state)) return;
  MapCore& core = Window().Form->Core();
  for (auto _ : state) FillSearchList(core, "");
  state.counters["results"] = core.Search.FoundRecords.Count();
  // Leave the window's list showing what the tables hold.
  QTest::keyClick(SearchEdit(*Window().Form), Qt::Key_Return);
}

// A click on the "Адрес" header to the painted list, each click reversing.
void BM_SortByAddress(benchmark::State& state) {
  if (!Ready(state)) return;
  QTableView* list = SearchList(*Window().Form);
  if (!list->isSortingEnabled()) {
    state.SkipWithError("the list does not sort");
    return;
  }
  QHeaderView* header = list->horizontalHeader();
  const QPoint address(header->sectionViewportPosition(0) + 10, header->height() / 2);
  for (auto _ : state) {
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, address);
    QCoreApplication::processEvents();
    list->viewport()->repaint();
  }
  state.counters["results"] = list->model()->rowCount();
}

BENCHMARK(BM_WindowAfterLoad)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnterToPaintedList)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_SearchAlone)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_SortByAddress)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
