#include <cstdio>
#include <memory>

#include "HelpText.h"
#include "MapDataCommands.h"
#include "Output.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"

namespace {

// The tables are listed as PrintCity prints them.
std::string DumpHelp() {
  return "usage: tellurin-cli dump CITY_DIR\n"
         "Loads the city folder CITY_DIR as the viewer does (on a 1024x768 screen) and\n"
         "prints, in UTF-8, the map extents and every table:\n"
         "  extents<TAB>MapMinX<TAB>MapMinY<TAB>MapMaxX<TAB>MapMaxY\n"
         "  table<TAB>NAME<TAB>ROWCOUNT, then ROWINDEX<TAB>CAPTION<TAB>CELL0<TAB>...\n" +
         cli::WrapWords("for " + cli::CommaList(cli::DataTableNames()) +
                            ", ObjectComboBox (caption, image index) and DrawListView.  Backslash, tab, CR and LF "
                            "are written \\\\, \\t, \\r, \\n.",
                        "", "") +
         "Messages of the load go to stderr as message<TAB>TEXT.\n"
         "Exit 0 after a load, 1 when CITY_DIR or a layer file cannot be read (each named\n"
         "on stderr), 2 for a wrong call or a CITY_DIR that is not a city folder (no\n"
         "Info/about.inf).\n";
}

// A row a line, built in one buffer: the big cities' dumps run to tens of megabytes.
void PrintTable(const LayerTable& table) {
  cli::PrintLine({"table", table.Name(), std::to_string(table.Count())});
  std::string line;
  for (int i = 0; i < table.Count(); ++i) {
    line = std::to_string(i);
    for (int cell = kCaption; cell < table.CellCountAt(i); ++cell) {
      line += '\t';
      cli::AppendText(line, table.CellAt(i, cell));
    }
    line += '\n';
    cli::Write(stdout, line);
  }
}

void PrintObjectChooser(const std::vector<ObjectKindEntry>& entries) {
  cli::PrintLine({"table", "ObjectComboBox", std::to_string(entries.size())});
  for (size_t i = 0; i < entries.size(); ++i)
    cli::PrintLine({std::to_string(i), cli::Text(entries[i].Caption), std::to_string(entries[i].ImageIndex)});
}

void PrintCity(const MapCore& core) {
  const MapExtents& e = core.Extents;
  cli::PrintLine({"extents", std::to_string(e.MapMinX), std::to_string(e.MapMinY), std::to_string(e.MapMaxX),
                  std::to_string(e.MapMaxY)});
  const CityTables& t = core.Tables;
  for (const LayerTable* table : t.DataTables()) PrintTable(*table);
  PrintObjectChooser(t.ObjectComboBox);
  PrintTable(t.DrawListView);
}

}  // namespace

int RunDumpCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, DumpHelp());
    return 0;
  }
  if (argc != 1) return cli::Usage("dump CITY_DIR");
  RecordingHost host;
  std::unique_ptr<MapCore> core;
  if (const int refused = cli::LoadCityFromArg(argv[0], host, core)) return refused;
  PrintCity(*core);
  return cli::Finish(host);
}
