// tellurin-cli route and render --route on a city imported from a hand-made
// extract (tests/data/osm/roads.osm, 1 m a map unit: a 200 m grid of streets
// at x 300, 500, 700 and y 200, 400, 600 with a one-way street, a footway, a
// private bridge and an island), and on a damaged road graph.
#include <QImage>
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "route/RoadGraph.h"
#include "support/TempDir.h"
#include "view/RouteOverlay.h"

namespace {

class RouteCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root = new TempDir;
    const CliResult import = RunCli({"import-osm", std::string(TELLURIN_TEST_DATA_DIR) + "/osm/roads.osm", "--out",
                                     NativeString(root->Path()), "--name", "Roads", "--unit", "1"});
    ASSERT_EQ(import.exitCode, 0) << import.err;
  }
  static void TearDownTestSuite() {
    delete root;
    root = nullptr;
  }
  static std::string City() { return NativeString(root->Path() / "Roads"); }
  static TempDir* root;
};

TempDir* RouteCli::root = nullptr;

}  // namespace

TEST_F(RouteCli, PrintsTheLengthTimeAndStepsOrWhyThereIsNoRoute) {
  struct Case {
    std::vector<std::string> Args;
    int Exit;
    std::string Out, Err;
  };
  const Case cases[] = {
      {{"320,400", "680,400"}, 0, "length\t360\ntime\t259\nstep\tаллея Парковая\t360\tпрямо\n", ""},
      {{"320,400", "680,450", "--mode", "car"}, 0,
       "length\t750\ntime\t90\nstep\tулица Западная\t200\tпрямо\nstep\tулица Южная\t400\tналево\n"
       "step\tулица Восточная\t150\tналево\n",
       ""},
      {{"680,450", "320,400", "--mode", "car"}, 0,
       "length\t850\ntime\t102\nstep\tулица Восточная\t250\tпрямо\nstep\tулица Северная\t400\tналево\n"
       "step\tулица Западная\t200\tналево\n",
       ""},
      {{"320,400", "1400,400"}, 1, "", "tellurin-cli: Маршрут не найден: между этими точками нет дороги\n"},
      {{"320,400", "1000,1000", "--mode", "car"}, 1, "", "tellurin-cli: Рядом нет дорог: у конца маршрута\n"},
      {{"320,400", "680,400", "--line"}, 0,
       "length\t360\ntime\t259\nstep\tаллея Парковая\t360\tпрямо\npoint\t320.0\t400.0\npoint\t500.0\t400.0\n"
       "point\t680.0\t400.0\n",
       ""},
      {{"320,400", "680,400", "--mode", "bus"}, 2, "", "tellurin-cli: --mode bus: ожидается foot или car\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"route", City()};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, c.Exit) << c.Args[1];
    EXPECT_EQ(r.out, c.Out) << c.Args[1];
    // A wrong call is followed by the usage.
    EXPECT_EQ(c.Exit == 2 ? r.err.substr(0, c.Err.size()) : r.err, c.Err) << c.Args[1];
  }
}

TEST_F(RouteCli, RenderDrawsTheRouteOverTheStreets) {
  TempDir out;
  const std::string png = NativeString(out.Path() / "route.png");
  const CliResult r = RunCli({"render", City(), "-o", png, "--screen", "600x600", "--center", "500,400",
                              "--route", "320,400:680,450", "--mode", "car"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const QImage picture(QString::fromStdString(png));
  // At scale 1 window pixel (300, 300) shows map point (500, 400).
  const auto at = [&](int x, int y) { return picture.pixelColor(x - 500 + 300, y - 400 + 300).rgb(); };
  EXPECT_EQ(at(300, 500), kRouteColour.rgb()) << "on the west street, which the route follows";
  EXPECT_EQ(at(500, 600), kRouteColour.rgb()) << "on the one-way south street, its way";
  EXPECT_NE(at(500, 200), kRouteColour.rgb()) << "on the north street, which it does not follow";
}

TEST_F(RouteCli, ADamagedRoadGraphMeansNoDirectionsNamingTheFile) {
  TempDir copy;
  const std::filesystem::path city = copy.Path() / "Roads";
  std::filesystem::copy(root->Path() / "Roads", city, std::filesystem::copy_options::recursive);
  const std::filesystem::path graph = city / "Data" / "Roads.gr";  // kRoadGraphFile, with the native separator
  std::filesystem::resize_file(graph, std::filesystem::file_size(graph) - 1);
  const CliResult r = RunCli({"route", NativeString(city), "320,400", "680,400"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "tellurin-cli: Файл " + NativeString(graph) +
                       ": размер файла не сходится с числом узлов и дорог; маршруты не прокладываются.\n");
  const CliResult check = RunCli({"check", City()});
  EXPECT_EQ(check.exitCode, 0) << "the data check passes over the graph: " << check.out;
}
