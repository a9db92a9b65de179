// tellurin-cli search CITY_DIR KEY
//   count<TAB>N, then per result: Адрес, Тип объекта, Название, Тип, № П/П.
// tellurin-cli firms CITY_DIR KEY [--name on|off] [--address on|off] [--keywords on|off]
//   count<TAB>N, then per found firm: row in ListOfFirms, Название, Адрес.
// tellurin-cli add-keyword CITY_DIR WORD
//   adds the word to the city's keyword list and rewrites Kw.map;
//   count<TAB>N, then the list.
// KEY and WORD are UTF-8; texts are printed in UTF-8 with \\, \t, \r and \n
// escaped; the program's messages go to stderr as message<TAB>TEXT.
#include "SearchCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "mapdata/Cp1251.h"
#include "search/FirmSearch.h"
#include "search/Keywords.h"
#include "search/ListSearch.h"
#include "shell/LoadCity.h"
#include "shell/MapCore.h"
#include "shell/RecordingHost.h"

namespace {

std::string Escape(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

// A table cell (Windows-1251) as printed.
std::string Text(const std::string& cp1251Text) { return Escape(cp1251::ToUtf8(cp1251Text)); }

void PrintLine(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) line += '\t';
    line += fields[i];
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

void PrintMessages(const RecordingHost& host) {
  for (const std::string& m : host.Messages) std::fprintf(stderr, "message\t%s\n", Escape(m).c_str());
}

int Usage(const char* text) {
  std::fprintf(stderr, "usage: tellurin-cli %s\n", text);
  return 2;
}

// The data root and the city's directory name of a city folder given on the
// command line.
bool SplitCityDir(const char* arg, fs::path& dataRoot, std::string& city) {
  fs::path dir = fs::absolute(fs::path(arg)).lexically_normal();
  if (dir.filename().empty()) dir = dir.parent_path();
  if (!DirectoryExists(dir)) {
    std::fprintf(stderr, "message\t%s\n", Escape("Папка города не найдена: " + dir.string()).c_str());
    return false;
  }
  dataRoot = dir.parent_path();
  city = dir.filename().string();
  return true;
}

// Drawing at the end of a load needs a GUI application; none is shown.
void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tellurin-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

bool ParseSwitch(const std::string& value, bool& out) {
  if (value == "on") out = true;
  else if (value == "off") out = false;
  else return false;
  return true;
}

struct LoadedCity {
  RecordingHost host;
  std::unique_ptr<MapCore> core;
};

bool LoadFromArg(const char* arg, LoadedCity& loaded) {
  fs::path dataRoot;
  std::string city;
  if (!SplitCityDir(arg, dataRoot, city)) return false;
  EnsureApplication();
  loaded.core = std::make_unique<MapCore>(loaded.host, dataRoot);
  LoadCity(*loaded.core, city, city);
  return true;
}

}  // namespace

int RunSearchCommand(int argc, char** argv) {
  if (argc != 2) return Usage("search CITY_DIR KEY");
  LoadedCity loaded;
  if (!LoadFromArg(argv[0], loaded)) return 1;
  MapCore& core = *loaded.core;
  FillSearchList(core, cp1251::FromUtf8(argv[1]));
  PrintMessages(loaded.host);
  PrintLine({"count", core.Search.Label2});
  for (const LayerRow& r : core.Search.ListView1.Rows())
    PrintLine({Text(r.Caption), Text(r.Cell(0)), Text(r.Cell(1)), Text(r.Cell(2)), Text(r.Cell(3))});
  return 0;
}

int RunFirmsCommand(int argc, char** argv) {
  const char* usage = "firms CITY_DIR KEY [--name on|off] [--address on|off] [--keywords on|off]";
  if (argc < 2 || argc % 2 != 0) return Usage(usage);
  bool name = true, address = true, keywords = true;
  for (int i = 2; i < argc; i += 2) {
    const std::string option = argv[i];
    bool* target = option == "--name" ? &name : option == "--address" ? &address
                                                : option == "--keywords" ? &keywords : nullptr;
    if (!target || !ParseSwitch(argv[i + 1], *target)) return Usage(usage);
  }
  LoadedCity loaded;
  if (!LoadFromArg(argv[0], loaded)) return 1;
  MapCore& core = *loaded.core;
  core.Search.CheckBox1 = name;
  core.Search.CheckBox2 = address;
  core.Search.CheckBox3 = keywords;
  SearchFirms(core, cp1251::FromUtf8(argv[1]));
  PrintMessages(loaded.host);
  PrintLine({"count", core.Search.Label5});
  const LayerTable& found = core.Search.SearchFirmListView;
  for (int i = 0; i < found.Count(); ++i)
    PrintLine({core.Search.ListView2[i].Caption, Text(found[i].Caption), Text(found[i].Cell(0))});
  return 0;
}

int RunAddKeywordCommand(int argc, char** argv) {
  if (argc != 2) return Usage("add-keyword CITY_DIR WORD");
  fs::path dataRoot;
  std::string city;
  if (!SplitCityDir(argv[0], dataRoot, city)) return 1;
  RecordingHost host;
  MapCore core(host, dataRoot);
  core.CurrentCity = city;
  LoadKeywords(core);
  AddKeyword(core, cp1251::FromUtf8(argv[1]));
  PrintMessages(host);
  PrintLine({"count", std::to_string(core.Search.Keywords.size())});
  for (const std::string& w : core.Search.Keywords) PrintLine({Text(w)});
  return host.Messages.empty() ? 0 : 1;
}
