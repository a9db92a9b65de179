// tellurin-cli stats: what a city costs to load (records, time, memory).
#ifdef _WIN32
#include <windows.h>
// after windows.h
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <cstdio>
#include <memory>

#include "HelpText.h"
#include "MapDataCommands.h"
#include "Output.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "state/SearchState.h"

namespace {

// The tables as PrintStats prints them, the steps as LoadCity runs them.
std::string StatsHelp() {
  const char* const indent = "      ";
  return "usage: tellurin-cli stats CITY_DIR\n"
         "Loads the city folder CITY_DIR as the viewer does (on a 1024x768 screen) and\n"
         "prints what the load cost, one figure a line:\n" +
         cli::WrapWords("for " + cli::CommaList(cli::DataTableNames()) + ", ListView1 (the address list) and DrawListView",
                        "  records<TAB>TABLE<TAB>ROWS       ", indent) +
         "  time<TAB>STEP<TAB>MILLISECONDS   for each step of the load in its order:\n" +
         cli::WrapWords("LoadObjectIcons, LoadFirms, " + cli::CommaList(cli::LayerStepNames()) +
                            ", LoadKeywords, FillSearchList, BuildDrawList and RedrawView (the first redraw), then "
                            "LoadCity (the whole load)",
                        indent, indent) +
         "  peak-memory<TAB>KIB              the process's peak resident memory\n"
         "Times are wall-clock milliseconds with one decimal.  Messages of the load go\n"
         "to stderr as message<TAB>TEXT.\n"
         "Exit 0 after a load, 1 when CITY_DIR or a layer file cannot be read (each named\n"
         "on stderr), 2 for a wrong call or a CITY_DIR that is not a city folder (no\n"
         "Info/about.inf).\n";
}

std::string Milliseconds(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", ms);
  return text;
}

// The peak resident memory of the process so far, in KiB.
long PeakResidentKiB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
#endif
}

void PrintStats(const MapCore& core) {
  const CityTables& t = core.Tables;
  auto printCount = [](const LayerTable& table) {
    cli::PrintLine({"records", table.Name(), std::to_string(table.Count())});
  };
  for (const LayerTable* table : t.DataTables()) printCount(*table);
  printCount(core.Search.FoundRecords);
  printCount(t.DrawListView);
  for (const LoadStepTime& step : core.LastLoadTimes.Steps)
    cli::PrintLine({"time", step.Step, Milliseconds(step.Milliseconds)});
  cli::PrintLine({"peak-memory", std::to_string(PeakResidentKiB())});
}

}  // namespace

int RunStatsCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, StatsHelp());
    return 0;
  }
  if (argc != 1) return cli::Usage("stats CITY_DIR");
  RecordingHost host;
  std::unique_ptr<MapCore> core;
  if (const int refused = cli::LoadCityFromArg(argv[0], host, core)) return refused;
  PrintStats(*core);
  return cli::Finish(host);
}
