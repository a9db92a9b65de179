// Directions from the command line: the city's road graph is read (nothing
// else of the city is loaded), both points taken to the nearest road of the
// mode, and the route printed as its length, time and steps.
#include "RouteCommand.h"

#include <cmath>
#include <cstdio>

#include "Output.h"
#include "ViewOptions.h"
#include "mapdata/ProblemText.h"
#include "route/Router.h"

namespace {

constexpr const char* kRouteArguments = "route CITY_DIR X1,Y1 X2,Y2 [--mode foot|car]";

constexpr const char* kRouteHelp =
    "usage: tellurin-cli route CITY_DIR X1,Y1 X2,Y2 [--mode foot|car]\n"
    "Finds the shortest route from map point X1,Y1 to X2,Y2 (map units) on the\n"
    "city's road graph (Data/Roads.gr, written by import-osm and the demo\n"
    "generator), on foot (the default: every road but motorways, both ways, at\n"
    "5 km/h) or by car (roads only, one-way streets their way, at a speed by the\n"
    "road's class).  Each point is taken to the nearest road of the mode within\n"
    "300 m.  Prints, in UTF-8:\n"
    "  length<TAB>METRES\n"
    "  time<TAB>SECONDS\n"
    "  step<TAB>STREET<TAB>METRES<TAB>TURN   one a road followed, in order\n"
    "METRES and SECONDS are whole numbers; STREET is empty for an unnamed road;\n"
    "TURN is the turn onto it: налево, направо or прямо (the first step: прямо).\n"
    "  --mode foot|car         how the route is travelled\n"
    "  --line                  also prints the route's points after the steps,\n"
    "                          point<TAB>X<TAB>Y (map units, to 0.1)\n"
    "Exit 0 with a route; 1 without one, the reason on stderr («Рядом нет дорог»,\n"
    "«Маршрут не найден: ...») or a city without a good road graph (the file and\n"
    "what is wrong with it); 2 for a wrong call or a CITY_DIR that is not a city\n"
    "folder.\n";

struct RouteOptions {
  std::string CityDir;
  int Points[4] = {};
  int PointsGiven = 0;
  TravelMode Mode = TravelMode::Foot;
  bool Line = false;
};

bool ParseOptions(int argc, char** argv, RouteOptions& o, std::string& why) {
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--mode") {
      if (i + 1 >= argc) return why = cli::MissingValueProblem(arg), false;
      if (!cli::ParseTravelMode(argv[++i], o.Mode)) return why = cli::TravelModeProblem(argv[i]), false;
    } else if (arg == "--line") {
      o.Line = true;
    } else if (arg.rfind("--", 0) == 0) {
      return why = cli::UnknownOptionProblem(arg), false;
    } else if (o.CityDir.empty()) {
      o.CityDir = arg;
    } else if (o.PointsGiven < 2) {
      int* p = o.Points + 2 * o.PointsGiven;
      if (!cli::ParsePair(arg, ',', p[0], p[1])) return why = cli::PointProblem(o.PointsGiven ? "X2,Y2" : "X1,Y1", arg), false;
      ++o.PointsGiven;
    } else {
      return why = cli::ExtraArgumentProblem(arg), false;
    }
  }
  if (o.CityDir.empty()) return why = cli::MissingArgumentProblem("CITY_DIR"), false;
  if (o.PointsGiven < 2) return why = cli::MissingArgumentProblem(o.PointsGiven ? "X2,Y2" : "X1,Y1"), false;
  return true;
}

std::string Whole(double value) { return std::to_string(std::llround(value)); }

std::string Tenths(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

}  // namespace

namespace cli {

bool ParseTravelMode(const std::string& v, TravelMode& mode) {
  if (v == "foot") return mode = TravelMode::Foot, true;
  if (v == "car") return mode = TravelMode::Car, true;
  return false;
}

std::string TravelModeProblem(const std::string& v) { return "--mode " + v + ": ожидается foot или car"; }

std::unique_ptr<RoadNetwork> LoadRoadNetwork(const CityLocation& city) {
  RoadGraphReading reading = ReadRoadGraph(city);
  if (!reading.Graph) {
    cli::Print(stderr, "tellurin-cli: %s\n", DataProblemMessage(reading.File, 0, reading.Problem).c_str());
    return nullptr;
  }
  return std::make_unique<RoadNetwork>(std::move(*reading.Graph));
}

}  // namespace cli

int RunRouteCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, kRouteHelp);
    return 0;
  }
  RouteOptions o;
  if (std::string why; !ParseOptions(argc, argv, o, why)) return cli::Refuse(why, kRouteArguments);
  CityLocation city;
  if (const int refused = cli::TakeCityDir(o.CityDir.c_str(), city.DataRoot, city.CityName)) return refused;
  const std::unique_ptr<RoadNetwork> network = cli::LoadRoadNetwork(city);
  if (!network) return 1;
  const RouteAnswer answer = FindRoute(*network, {double(o.Points[0]), double(o.Points[1])},
                                       {double(o.Points[2]), double(o.Points[3])}, o.Mode);
  if (!answer.Found) {
    cli::Print(stderr, "tellurin-cli: %s\n", answer.Problem.c_str());
    return 1;
  }
  const FoundRoute& route = *answer.Found;
  cli::PrintLine({"length", Whole(route.Metres)});
  cli::PrintLine({"time", Whole(route.Seconds)});
  for (const RouteStep& step : route.Steps)
    cli::PrintLine({"step", cli::Text(step.Street), Whole(step.Metres), TurnWord(step.TurnOnto)});
  if (o.Line)
    for (const MapPointF& p : route.Line) cli::PrintLine({"point", Tenths(p.X), Tenths(p.Y)});
  return 0;
}
