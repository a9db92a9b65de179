#include "ImportOsmCommand.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ImportProgress.h"
#include "Output.h"
#include "StopOnSignal.h"
#include "importer/OsmImport.h"
#include "importer/PlaceList.h"
#include "importer/Projection.h"
#include "mapdata/NativeName.h"
#include "mapdata/ScrambleMask.h"
#include "shell/DataRoots.h"

namespace {

constexpr const char* kImportArguments =
    "import-osm INPUT [--out DATA_ROOT] --name CITY [--unit METRES] [--scrambled [--mask 0xNN]] "
    "[--bbox MINLON,MINLAT,MAXLON,MAXLAT | --city NAME] [--replace] [--progress]\n"
    "       tellurin-cli import-osm INPUT --list-places";

constexpr const char* kImportHelp =
    "usage: tellurin-cli import-osm INPUT [--out DATA_ROOT] --name CITY [--unit METRES]\n"
    "                               [--scrambled [--mask 0xNN]]\n"
    "                               [--bbox MINLON,MINLAT,MAXLON,MAXLAT | --city NAME] [--replace]\n"
    "                               [--progress]\n"
    "       tellurin-cli import-osm INPUT --list-places\n"
    "Imports an OpenStreetMap extract INPUT (.osm, .osm.gz, .osm.bz2 or .osm.pbf) as the\n"
    "city folder DATA_ROOT/CITY: streets, buildings, regions, labels, objects with their\n"
    "icons, firms with their information, routes, the keyword list, and Info/about.inf\n"
    "and Info/Picture.jpg for the city-selection window.\n"
    "  --out DATA_ROOT   the data root (default: the user's own data root, whose\n"
    "                    cities the viewer lists: USER_DATA_ROOT)\n"
    "  --name CITY       the city's folder name and title\n"
    "  --unit METRES     metres per map unit, 0.1 to 100 (default 4)\n"
    "  --scrambled       write the layers and firms scrambled (.crpt); a layer longer\n"
    "                    than the scrambled form allows is written plain\n"
    "  --mask 0xNN       the scrambling byte (default: the build's)\n"
    "  --bbox MINLON,MINLAT,MAXLON,MAXLAT\n"
    "                    import only what lies in this box (degrees); lines and outlines\n"
    "                    that cross its edge are cut there.  Without it the map is\n"
    "                    cut 10% beyond the file's own bounds (else beyond the box of\n"
    "                    the streets, buildings and points of interest).  Either way\n"
    "                    it is centred on the settlement node (place=city, town,\n"
    "                    village, hamlet, suburb) whose name is CITY or the file's\n"
    "                    name, else on the most important city, town or village (a\n"
    "                    capital first, then by rank and population), else on the\n"
    "                    densest buildings (with --bbox: the middle of its data)\n"
    "  --city NAME       out of a region: import the settlement called NAME (its name,\n"
    "                    name:ru or any name:*, whatever the case, accents, ё or е),\n"
    "                    cut by the smallest administrative boundary whose polygon\n"
    "                    holds its place node (not the region's own, which holds every\n"
    "                    settlement of the file) and 10% beyond; without a usable\n"
    "                    boundary (none, a member missing, a ring that does not close)\n"
    "                    by a radius: 15 km for a city, 5 km for a town, 2 km for a\n"
    "                    village, 1 km for a hamlet or suburb.  Two settlements of\n"
    "                    that name: exit 2, each listed on stderr as a place line;\n"
    "                    none: exit 1 naming the nearest spellings\n"
    "  --list-places     print the settlements of INPUT, most important first (a\n"
    "                    capital, then city, town, village, hamlet, by population), as\n"
    "                    place<TAB>NAME<TAB>KIND<TAB>POPULATION<TAB>LAT<TAB>LON\n"
    "                    (POPULATION 0 when not given); writes no city\n"
    "  --replace         replace a city folder of that name (kept otherwise)\n"
    "  --progress        print the step and the share of the file read on stderr, at\n"
    "                    most once a second, one a line (\"reading data 34%\"); on a\n"
    "                    terminal it is shown without --progress, on one line written over\n"
    "The city is written into a temporary folder beside its place and renamed into place\n"
    "at the end (with --replace, swapped with the old city in one step): a failed import\n"
    "leaves nothing behind, and what an interrupted one left is removed by the next.\n"
    "While it writes, an import holds DATA_ROOT/.CITY.import.lock: a second import of\n"
    "the name waits up to 5 seconds, then gives up naming the process that holds it (a\n"
    "lock whose process has died is taken over; anything there that is not a lock file\n"
    "is refused as a foreign file).\n"
    "Refused as unreadable: XML (also compressed) with a tag, comment or run of text\n"
    "longer than 65536 bytes or a coordinate with an exponent past 1000 (\"1e300\"), and\n"
    "a PBF file that ends inside a block or has bytes after its last block.\n"
    "Refused too, naming the record: an object with more than 5000 tags or a key, value\n"
    "or role longer than 255 characters; in XML a coordinate written with a character\n"
    "reference, a <!DOCTYPE> declaration and any encoding but UTF-8; INPUT that is not a\n"
    "regular file (a FIFO, a folder, a device); data at or beyond 85 degrees north or\n"
    "south, where the map ends.  A way of more than 2000 nodes and a relation of more\n"
    "than 32000 members are left out (skipped), a relation's repeated members read once\n"
    "(changed).\n"
    "Prints city<TAB>FOLDER<TAB>plain|scrambled, records<TAB>LAYER<TAB>N for every layer,\n"
    "plain<TAB>LAYER for a layer written plain although scrambled was asked for,\n"
    "centre<TAB>HOW<TAB>LAT<TAB>LON where the first view looks (HOW: the place it is,\n"
    "\"town Name\", or \"densest buildings\"), with --city area<TAB>boundary relation ID or\n"
    "area<TAB>radius N km (and skipped<TAB>settlement boundary with missing members or\n"
    "open rings<TAB>1 when its own boundary could not be used),\n"
    "skipped<TAB>REASON<TAB>N, after it skipped-ids<TAB>REASON<TAB>IDS naming the first five\n"
    "left out (n12 w34 r5) for the reasons that name them, and changed<TAB>REASON<TAB>N.\n"
    "What lies off the globe (latitude beyond 90, longitude beyond 180) or has no point\n"
    "within 1000 km of the middle of the data is left out; longitudes are taken around\n"
    "the middle, so that a city across the 180th meridian stays in one piece.\n"
    "Exit 0: imported; 1: the input cannot be read or the city cannot be written (the\n"
    "reason on stderr; also when another import of the name holds the lock); 2: a wrong\n"
    "call or a city of that name already there without --replace; 130 (143): stopped by\n"
    "Ctrl+C (a TERM signal) within a second, the data root left as it was.\n";

// The help with the user's data root written as this system's users know it.
std::string ImportHelp() {
  std::string help = kImportHelp;
  const std::string_view slot = "USER_DATA_ROOT";
  help.replace(help.find(slot), slot.size(), UserDataRootWords(kThisSystem));
  return help;
}

bool ParseNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && end && *end == '\0';
}

bool ParseBox(const std::string& text, GeoBox& box) {
  double v[4];
  size_t start = 0;
  for (int k = 0; k < 4; ++k) {
    const size_t comma = text.find(',', start);
    if ((comma == std::string::npos) != (k == 3)) return false;
    if (!ParseNumber(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), v[k]))
      return false;
    start = comma + 1;
  }
  if (!(v[0] >= -180 && v[2] <= 180 && v[0] < v[2] && v[1] >= -90 && v[3] <= 90 && v[1] < v[3])) return false;
  box = {FixedDegrees(v[0]), FixedDegrees(v[1]), FixedDegrees(v[2]), FixedDegrees(v[3])};
  return true;
}

bool ParseMask(const std::string& text, unsigned char& mask) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 16);
  if (text.rfind("0x", 0) != 0 || !end || *end != '\0' || value < 1 || value > 255) return false;
  mask = static_cast<unsigned char>(value);
  return true;
}

// False with the reason when the arguments make no import (nor list).
bool ParseOptions(int argc, char** argv, ImportOptions& o, bool& listPlaces, bool& progress, std::string& error) {
  bool haveMask = false;
  o.Mask = kScrambleMask;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--scrambled" || arg == "--replace" || arg == "--progress") {
      (arg == "--scrambled" ? o.Scrambled : arg == "--replace" ? o.Replace : progress) = true;
      continue;
    }
    if (arg == "--list-places") {
      listPlaces = true;
      continue;
    }
    if (arg.rfind("--", 0) != 0) {
      if (!o.Input.empty()) return (error = "one INPUT only: " + arg, false);
      o.Input = NativePath(arg);
      continue;
    }
    if (i + 1 >= argc) return (error = arg + " needs a value", false);
    const std::string value = argv[++i];
    GeoBox box;
    if (arg == "--out") {
      if (value.empty()) return (error = "--out wants a folder", false);
      o.DataRoot = NativePath(value);
    } else if (arg == "--name") {
      o.Name = value;
    } else if (arg == "--city") {
      if (value.empty()) return (error = "--city wants a settlement's name", false);
      o.City = value;
    } else if (arg == "--unit") {
      if (!ParseNumber(value, o.Unit)) return (error = "--unit wants a number of metres, not \"" + value + "\"", false);
    } else if (arg == "--mask") {
      if (!ParseMask(value, o.Mask)) return (error = "--mask wants a byte from 0x01 to 0xFF, not \"" + value + "\"", false);
      haveMask = true;
    } else if (arg == "--bbox") {
      if (!ParseBox(value, box))
        return (error = "--bbox wants MINLON,MINLAT,MAXLON,MAXLAT in degrees, minimum before maximum, not \"" +
                        value + "\"",
                false);
      o.Box = box;
    } else {
      return (error = "unknown option " + arg, false);
    }
  }
  if (o.Input.empty()) return (error = "no INPUT", false);
  if (listPlaces) {
    if (argc != 2) return (error = "--list-places takes INPUT alone", false);
    return true;
  }
  if (o.DataRoot.empty()) o.DataRoot = UserDataRoot();
  if (o.Name.empty()) return (error = "no --name CITY", false);
  if (haveMask && !o.Scrambled) return (error = "--mask goes with --scrambled", false);
  return true;
}

std::string Joined(const std::vector<std::string>& ids) {
  std::string text;
  for (const std::string& id : ids) text += (text.empty() ? "" : " ") + id;
  return text;
}

std::string Degrees(int32_t fixed) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7f", fixed / 1e7);
  return text;
}

// place<TAB>NAME<TAB>KIND<TAB>POPULATION<TAB>LAT<TAB>LON
std::string PlaceLine(const SettlementFeature& s) {
  // The name as it came (a PBF's may not be UTF-8), made printable.
  const std::string name = s.Names.empty() ? std::string() : QString::fromStdString(s.Names.front()).toStdString();
  return "place\t" + cli::Escape(name) + "\t" + cli::Escape(s.Place) + "\t" + std::to_string(s.Population) + "\t" +
         Degrees(s.At.Y) + "\t" + Degrees(s.At.X);
}

int ListPlaces(const ImportOptions& o) {
  std::vector<SettlementFeature> settlements;
  std::string error;
  if (!ListSettlements(o.Input, settlements, error)) {
    cli::Print(stderr, "tellurin-cli import-osm: %s\n", error.c_str());
    return 1;
  }
  for (const SettlementFeature& s : settlements) cli::Print(stdout, "%s\n", PlaceLine(s).c_str());
  return 0;
}

void PrintSummary(const ImportResult& r, bool scrambled) {
  cli::PrintLine({"city", cli::Escape(NativeString(r.CityDir)), scrambled ? "scrambled" : "plain"});
  const RecordCounts& c = r.Counts;
  const std::pair<const char*, size_t> layers[] = {{"Streets", c.Streets}, {"Buildings", c.Buildings},
                                                   {"Regions", c.Regions}, {"Texts", c.Labels},
                                                   {"Objects", c.Objects}, {"Path", c.Routes},
                                                   {"Firms", c.Firms},     {"Icons", c.Icons}};
  for (const auto& [name, n] : layers) cli::PrintLine({"records", name, std::to_string(n)});
  for (const std::string& layer : c.PlainLayers) cli::PrintLine({"plain", layer});
  char latitude[32], longitude[32];
  std::snprintf(latitude, sizeof latitude, "%.7f", r.Report.CentreLatitude);
  std::snprintf(longitude, sizeof longitude, "%.7f", r.Report.CentreLongitude);
  cli::PrintLine({"centre", cli::Escape(r.Report.CentreHow), latitude, longitude});
  if (!r.Report.Area.empty()) cli::PrintLine({"area", r.Report.Area});
  for (const auto& [reason, n] : r.Report.Skipped) {
    cli::PrintLine({"skipped", reason, std::to_string(n)});
    if (const auto ids = r.Report.SkippedIds.find(reason); ids != r.Report.SkippedIds.end())
      cli::PrintLine({"skipped-ids", reason, Joined(ids->second)});
  }
  for (const auto& [reason, n] : r.Report.Changed) cli::PrintLine({"changed", reason, std::to_string(n)});
}

}  // namespace

int RunImportOsmCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, ImportHelp());
    return 0;
  }
  ImportOptions options;
  bool progressAsked = false;
  std::string error;
  bool listPlaces = false;
  if (!ParseOptions(argc, argv, options, listPlaces, progressAsked, error)) {
    cli::Print(stderr, "tellurin-cli import-osm: %s\n", error.c_str());
    return cli::Usage(kImportArguments);
  }
  if (listPlaces) return ListPlaces(options);
  cli::EnsureApplication();
  const bool terminal = StderrIsTerminal();
  ImportProgress progress(stderr, terminal);
  ImportControl control(
      progressAsked || terminal
          ? ImportControl::ProgressFn([&progress](ImportStep step, double share) { progress.Show(step, share); })
          : ImportControl::ProgressFn());
  const StopOnSignal stopOnSignal(control);
  const ImportResult result = ImportOsm(options, control);
  progress.Finish();
  switch (result.Result) {
    case ImportResult::Outcome::Cancelled:
      cli::Print(stderr, "tellurin-cli import-osm: %s\n", result.Error.c_str());
      return 128 + stopOnSignal.Caught();
    case ImportResult::Outcome::Imported:
      PrintSummary(result, options.Scrambled);
      return 0;
    case ImportResult::Outcome::Ambiguous:
      cli::Print(stderr, "tellurin-cli import-osm: %s:\n", result.Error.c_str());
      for (const SettlementFeature& s : result.Called) cli::Print(stderr, "%s\n", PlaceLine(s).c_str());
      return 2;
    case ImportResult::Outcome::BadCall:
      cli::Print(stderr, "tellurin-cli import-osm: %s\n", result.Error.c_str());
      return cli::Usage(kImportArguments);
    default:
      cli::Print(stderr, "tellurin-cli import-osm: %s\n", result.Error.c_str());
      return 1;
  }
}
