// The searches and the keyword list from the command line: the city is loaded
// as the viewer loads it, then the search runs as its panel would run it.
#include "SearchCommands.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Output.h"
#include "ViewOptions.h"
#include "mapdata/Cp1251.h"
#include "search/FirmSearch.h"
#include "search/KeyLimit.h"
#include "search/Keywords.h"
#include "search/ListSearch.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"

namespace {

constexpr const char* kSearchHelp =
    "usage: tellurin-cli search CITY_DIR KEY\n"
    "Loads the city folder CITY_DIR and runs the list search for KEY (UTF-8) over\n"
    "streets, buildings, firms and objects, printing in UTF-8:\n"
    "  count<TAB>N\n"
    "  Адрес<TAB>Тип объекта<TAB>Название<TAB>Тип<TAB>№ П/П   (one line per result)\n"
    "Тип is 1 street, 2 building, 3 firm, 5 object; № П/П the row in its table.\n"
    "The rows whose text contains KEY as typed (case ignored) come first; then\n"
    "those that hold every word of KEY in any order, with ё read as е, street types\n"
    "full or abbreviated (ул, пр-т, пер, пл, б-р, наб, ш, пр-д, туп., мкр) and\n"
    "\"д.\" or \"дом\" before a number left out.  When neither finds anything,\n"
    "count 0 is followed by similar<TAB>N and N rows of names nearly typed,\n"
    "closest first.\n"
    "A street type in KEY lets the rows that name no type at all follow those\n"
    "that hold it (\"пр. абая 10\" finds the house \"Абая 10\"); a row of another\n"
    "type is no match.  KEY is read as names are imported: a letter Windows-1251\n"
    "lacks becomes its closest letters (ü u, ß ss, é e, ł l, ә а, қ к), one without\n"
    "likeness \"?\", which matches only a \"?\", never another letter.\n"
    "A KEY of more than 10 words or 200 characters is searched for by its\n"
    "beginning (its first 10 words within its first 200 characters), and a\n"
    "message says so.\n"
    "Backslash, tab, CR and LF are written \\\\, \\t, \\r, \\n.  Messages go to stderr as\n"
    "message<TAB>TEXT.  Exit 1 when CITY_DIR or a layer file cannot be read, 2 for a\n"
    "wrong call or a CITY_DIR that is not a city folder (no Info/about.inf).\n";

constexpr const char* kFirmsHelp =
    "usage: tellurin-cli firms CITY_DIR KEY [--name on|off] [--address on|off] [--keywords on|off]\n"
    "Loads the city folder CITY_DIR and runs the firm search for KEY (UTF-8) over\n"
    "the parts chosen (all three by default), printing in UTF-8:\n"
    "  count<TAB>N\n"
    "  ROW<TAB>Название<TAB>Адрес   (ROW: the firm's row in ListOfFirms)\n"
    "An empty KEY or a single space lists nothing.  Further matches, similar<TAB>N,\n"
    "escapes, messages and exit codes as for search.\n";

constexpr const char* kAddKeywordHelp =
    "usage: tellurin-cli add-keyword CITY_DIR WORD\n"
    "Reads the city's keyword list (Kw.map), adds WORD (UTF-8) at its place in the\n"
    "alphabetical order and rewrites Kw.map; prints count<TAB>N and the list.\n"
    "Letters Windows-1251 lacks are written as for a search KEY (ü as u).\n"
    "The save holds Kw.map.lock and reads Kw.map again under it, so that words\n"
    "saved meanwhile by another program are kept.  A WORD holding a line break or\n"
    "a tab is refused; a link in the place of Kw.map is not read, and the save\n"
    "replaces it with a plain file.\n"
    "A folder, link, FIFO or device at the name Kw.map.lock is never opened: the\n"
    "save is refused at once, naming it; a plain file there that is no lock is\n"
    "removed.  Kw.map is read up to 1 MB and 20000 words; a larger file is read in\n"
    "part with a message and is not saved over.\n"
    "Exit 1 when the file could not be read or written, or WORD was refused (see\n"
    "the message).\n";

// After "count 0", when the rows that follow are names nearly typed.
void PrintSimilarCount(int similar) {
  if (similar > 0) cli::PrintLine({"similar", std::to_string(similar)});
}

bool ParseSwitch(const std::string& value, bool& out) {
  if (value != "on" && value != "off") return false;
  out = value == "on";
  return true;
}

}  // namespace

int RunSearchCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, kSearchHelp);
    return 0;
  }
  if (argc != 2) return cli::Usage("search CITY_DIR KEY");
  RecordingHost host;
  std::unique_ptr<MapCore> core;
  if (const int refused = cli::LoadCityFromArg(argv[0], host, core)) return refused;
  FillSearchList(*core, cp1251::FromUtf8Closest(argv[1]));
  if (core->Search.ListKeyCut) host.ShowMessage(KeyCutNote() + ".");
  cli::PrintLine({"count", core->Search.ListCountText});
  PrintSimilarCount(core->Search.ListSimilar);
  for (const LayerRow& r : core->Search.FoundRecords.Rows())
    cli::PrintLine({cli::Text(r.Cell(found_cell::Address)), cli::Text(r.Cell(found_cell::Kind)),
                    cli::Text(r.Cell(found_cell::Name)), cli::Text(r.Cell(found_cell::Code)),
                    cli::Text(r.Cell(found_cell::Row))});
  return cli::Finish(host);
}

int RunFirmsCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, kFirmsHelp);
    return 0;
  }
  const char* usage = "firms CITY_DIR KEY [--name on|off] [--address on|off] [--keywords on|off]";
  if (argc < 2 || argc % 2 != 0) return cli::Usage(usage);
  bool name = true, address = true, keywords = true;
  for (int i = 2; i < argc; i += 2) {
    const std::string option = argv[i];
    bool* target = option == "--name"       ? &name
                   : option == "--address"  ? &address
                   : option == "--keywords" ? &keywords
                                            : nullptr;
    if (!target) return cli::Usage(usage);
    if (!ParseSwitch(argv[i + 1], *target)) return cli::Refuse(cli::OnOffProblem(option, argv[i + 1]), usage);
  }
  RecordingHost host;
  std::unique_ptr<MapCore> core;
  if (const int refused = cli::LoadCityFromArg(argv[0], host, core)) return refused;
  SearchState& s = core->Search;
  s.SearchFirmNames = name;
  s.SearchFirmAddresses = address;
  s.SearchFirmKeywords = keywords;
  SearchFirms(*core, cp1251::FromUtf8Closest(argv[1]));
  if (s.FirmKeyCut) host.ShowMessage(KeyCutNote() + ".");
  cli::PrintLine({"count", s.FirmCountText});
  PrintSimilarCount(s.FirmSimilar);
  for (int i = 0; i < s.SearchFirmListView.Count(); ++i)
    cli::PrintLine({std::string(s.FoundFirms[i].Cell(found_firm_cell::FirmRow)),
                    cli::Text(s.SearchFirmListView[i].Cell(shown_firm_cell::Name)),
                    cli::Text(s.SearchFirmListView[i].Cell(shown_firm_cell::Address))});
  return cli::Finish(host);
}

int RunAddKeywordCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, kAddKeywordHelp);
    return 0;
  }
  if (argc != 2) return cli::Usage("add-keyword CITY_DIR WORD");
  fs::path dataRoot;
  std::string city;
  if (!cli::SplitCityDir(argv[0], dataRoot, city)) return 2;
  RecordingHost host;
  MapCore core(host, dataRoot);
  core.CurrentCity = city;
  LoadKeywords(core);
  AddKeyword(core, cp1251::FromUtf8Closest(argv[1]));
  cli::PrintLine({"count", std::to_string(core.Search.Keywords.size())});
  for (const std::string& w : core.Search.Keywords) cli::PrintLine({cli::Text(w)});
  cli::Finish(host);
  return host.Messages.empty() ? 0 : 1;
}
