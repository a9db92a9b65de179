// What lies under a map point: the city is loaded as the viewer loads it, the
// scale set, and the places under the point listed as the map window's
// "Что здесь?" lists them, and for a city with a georeference the point's
// latitude and longitude.
#include "HereCommand.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "Output.h"
#include "ViewOptions.h"
#include "interaction/WhatIsHere.h"
#include "render/MapLayers.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"

namespace {

constexpr const char* kHereArguments = "here CITY_DIR X,Y [--scale S] [--found-firms KEY]";

constexpr const char* kHereHelp =
    "usage: tellurin-cli here CITY_DIR X,Y [--scale S] [--found-firms KEY]\n"
    "Loads the city folder CITY_DIR as the viewer does and lists, as the map\n"
    "window's \"Что здесь?\" does, every record under the map point X,Y (map\n"
    "units) at the scale S (default 1, pixels per map unit), one line each, in\n"
    "UTF-8:\n"
    "  KIND<TAB>ROW<TAB>NAME<TAB>ADDRESS\n"
    "ROW is the record's row in its table; ADDRESS is street and house number\n"
    "(empty for streets and regions).  KIND, in the order listed (what the map\n"
    "draws on top first; within a kind, by ROW):\n"
    "  firm      a found firm whose icon covers the point (with --found-firms)\n"
    "  object    an object whose icon covers the point (10 pixels around it)\n"
    "  building  a building whose outline holds the point\n"
    "  street    a street within 3 pixels of its line, as wide as it is drawn at S\n"
    "            (NAME: its name)\n"
    "  region    a region whose outline holds the point (NAME: its type)\n"
    "For a city with a georeference (Info/Georef.inf, written by import-osm) a\n"
    "last line gives the point's latitude and longitude in degrees, to 7 decimals\n"
    "(none for a point more than 2000 km east or west of the city):\n"
    "  geo<TAB>LAT<TAB>LON\n"
    "  --found-firms KEY       searches the firms for KEY by name, address and\n"
    "                          keywords and draws the firms found, which are then\n"
    "                          listed too\n"
    "Backslash, tab, CR and LF are written \\\\, \\t, \\r, \\n.  Messages of the load\n"
    "go to stderr as message<TAB>TEXT.  Exit 0 after a load (also when nothing is\n"
    "there), 1 when the load's drawing failed or CITY_DIR or a layer file cannot be\n"
    "read, 2 for a wrong call (the reason before the usage) or a CITY_DIR that is\n"
    "not a city folder.\n";

struct HereOptions {
  std::string CityDir;
  int X = 0, Y = 0;
  bool HasPoint = false;
  float Scale = 1.0f;
  std::optional<std::string> FoundFirms;  // search key, UTF-8
};

// False with `why`, the reason the call is refused (UTF-8).
bool ParseOptions(int argc, char** argv, HereOptions& o, std::string& why) {
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--scale" || arg == "--found-firms") {
      if (i + 1 >= argc) return why = cli::MissingValueProblem(arg), false;
      const std::string value = argv[++i];
      if (arg == "--found-firms")
        o.FoundFirms = value;
      else if (!cli::ParseScale(value, o.Scale))
        return why = cli::ScaleProblem(value), false;
    } else if (arg.rfind("--", 0) == 0) {  // a point may start with a minus, never with two
      return why = cli::UnknownOptionProblem(arg), false;
    } else if (o.CityDir.empty()) {
      o.CityDir = arg;
    } else if (!o.HasPoint) {
      if (!cli::ParsePair(arg, ',', o.X, o.Y)) return why = cli::PointProblem("X,Y", arg), false;
      o.HasPoint = true;
    } else {
      return why = cli::ExtraArgumentProblem(arg), false;
    }
  }
  if (o.CityDir.empty()) return why = cli::MissingArgumentProblem("CITY_DIR"), false;
  if (!o.HasPoint) return why = cli::MissingArgumentProblem("X,Y"), false;
  return true;
}

}  // namespace

int RunHereCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, kHereHelp);
    return 0;
  }
  HereOptions o;
  if (std::string why; !ParseOptions(argc, argv, o, why)) return cli::Refuse(why, kHereArguments);
  RecordingHost host;
  std::unique_ptr<MapCore> loaded;
  bool drawn = false;
  if (const int refused = cli::LoadCityFromArg(o.CityDir.c_str(), host, loaded, &drawn)) return refused;
  MapCore& core = *loaded;
  if (drawn) {
    core.View.Scale = o.Scale;
    if (o.FoundFirms) cli::ShowFoundFirms(core, *o.FoundFirms);
    for (const Place& p : PlacesUnder(core, MapToHit(o.X, o.Y, o.Scale)))
      cli::PrintLine({p.Layer->Hit.Word, std::to_string(p.Row), cli::Text(p.Name), cli::Text(p.Address)});
    if (const std::optional<LatLon> at = core.Geo ? MapToLatLon(*core.Geo, o.X, o.Y) : std::nullopt)
      cli::PrintLine({"geo", DegreesText(at->Latitude, 7), DegreesText(at->Longitude, 7)});
  }
  return cli::Finish(host, drawn ? 0 : 1);
}
