// The length of a line through map points: each stretch along the geodesic
// between the places its ends stand for (mapdata/Geodesic.h), from the city's
// georeference alone; the layers are not loaded.
#include "MeasureCommand.h"

#include <QString>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Output.h"
#include "ViewOptions.h"
#include "mapdata/CityLocation.h"
#include "mapdata/Geodesic.h"
#include "mapdata/NativeName.h"
#include "mapdata/ProblemText.h"

namespace {

constexpr const char* kMeasureArguments = "measure CITY_DIR X1,Y1 X2,Y2 [X,Y]...";

constexpr const char* kMeasureHelp =
    "usage: tellurin-cli measure CITY_DIR X1,Y1 X2,Y2 [X,Y]...\n"
    "Prints the length in metres of the line through the map points X,Y (map\n"
    "units, whole numbers) in their order, as the map window's \"Измерить\n"
    "расстояние\" measures it: each stretch along the shortest way over the WGS 84\n"
    "ellipsoid between the places its ends stand for, by the city's georeference\n"
    "(Info/Georef.inf, written by import-osm), so that the map's stretching away\n"
    "from its central meridian is taken out.  One line, metres to two decimals:\n"
    "  length<TAB>METRES\n"
    "Exit 0 after the line; 1 for a city without a georeference or with a bad one,\n"
    "or a point more than 2000 km east or west of the city (which has no latitude),\n"
    "saying which; 2 for a wrong call (fewer than two points, a point that is not\n"
    "two whole numbers; the reason before the usage) or a CITY_DIR that is not a\n"
    "city folder.\n";

struct MeasureOptions {
  std::string CityDir;
  std::vector<MapSpot> Points;
};

// False with `why`, the reason the call is refused (UTF-8).
bool ParseOptions(int argc, char** argv, MeasureOptions& o, std::string& why) {
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--", 0) == 0) return why = cli::UnknownOptionProblem(arg), false;
    if (o.CityDir.empty()) {
      o.CityDir = arg;
      continue;
    }
    int x = 0, y = 0;
    if (!cli::ParsePair(arg, ',', x, y)) return why = cli::PointProblem("X,Y", arg), false;
    o.Points.push_back({static_cast<double>(x), static_cast<double>(y)});
  }
  if (o.CityDir.empty()) return why = cli::MissingArgumentProblem("CITY_DIR"), false;
  if (o.Points.size() < 2) return why = "нужны хотя бы две точки X,Y", false;
  return true;
}

// The first point without a latitude, as typed.
std::string PointText(const MapSpot& p) {
  return std::to_string(static_cast<long long>(p.X)) + "," + std::to_string(static_cast<long long>(p.Y));
}

}  // namespace

int RunMeasureCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, kMeasureHelp);
    return 0;
  }
  MeasureOptions o;
  if (std::string why; !ParseOptions(argc, argv, o, why)) return cli::Refuse(why, kMeasureArguments);
  std::filesystem::path dataRoot;
  std::string city;
  if (const int refused = cli::TakeCityDir(o.CityDir.c_str(), dataRoot, city)) return refused;
  const GeoReading reading = ReadGeoReference({dataRoot, city});
  if (!reading.Problem.empty()) {
    cli::Print(stderr, "tellurin-cli: %s\n", DataProblemMessage(reading.File, 0, reading.Problem).c_str());
    return 1;
  }
  if (!reading.Geo) {
    cli::Print(stderr, "tellurin-cli: у города %s нет географической привязки (%s): расстояния не измерить\n",
               city.c_str(), kGeoReferenceFile);
    return 1;
  }
  for (const MapSpot& p : o.Points)
    if (!MapToLatLon(*reading.Geo, p.X, p.Y)) {
      cli::Print(stderr, "tellurin-cli: у точки %s нет широты: она дальше 2000 км к востоку или западу от города\n",
                 PointText(p).c_str());
      return 1;
    }
  const std::optional<double> metres = GeodesicLineLength(*reading.Geo, o.Points);
  cli::PrintLine({"length", QString::number(metres.value_or(0), 'f', 2).toStdString()});
  return 0;
}
