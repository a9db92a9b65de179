// The viewer started with a geo: URI: the city that holds the point opens
// centred on it (the city used last tried first, a city without a
// georeference passed over), at the URI's zoom level when it has one; a point
// no city holds, or a URI that does not read, is said over the city list.
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "mapdata/GeoReference.h"
#include "mapdata/GeoUri.h"
#include "render/VisibleMiddle.h"
#include "shell/widgets/AppWindows.h"
#include "shell/widgets/ShellWindowsFixture.h"

namespace {

// town.osm imported twice, as "Copy" and "Town", beside "Aaa", a city with no
// georeference listed before them.
struct ImportedTowns {
  ImportedTowns() {
    const fs::path town = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "town.osm";
    for (const char* name : {"Town", "Copy"}) {
      const CliResult cli = RunCli({"import-osm", NativeString(town), "--name", name, "--out", NativeString(Root())});
      EXPECT_EQ(cli.exitCode, 0) << cli.err;
    }
    WriteAbout(Root(), "Aaa", {"Без географии"});
    WriteBytes(Root() / "Aaa" / "Data" / "Regions.txt", "");
  }
  fs::path Root() const { return dir.Path() / "Base"; }
  TempDir dir;
};

}  // namespace

TEST(GeoLinkStart, OpensTheCityThatHoldsThePointCentredOnIt) {
  ImportedTowns towns;
  struct Case {
    std::string uri;
    std::string lastCity;
    std::string opened;  // none: a message
    float scale;
    std::string message;
  };
  const Case cases[] = {
      {"geo:55.75,37.6", "", "Copy", 1.0f, ""},
      {"geo:55.75,37.6?z=17", "Town", "Town", 6.0f, ""},  // 0.67 m a pixel: 4 m units at 5.95
      {"geo:55.7575,37.61;crs=wgs84;u=10", "Aaa", "Copy", 1.0f, ""},
      {"geo:45.03074,39.02428", "Town", "", 0, "Ни один город не содержит точку 45.03074, 39.02428."},
      {"geo:55.75,37.6;crs=utm", "Town", "", 0,
       "Ссылка «geo:55.75,37.6;crs=utm» не читается: система координат «utm» не поддерживается (читается только "
       "wgs84)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.uri);
    TempDir config;
    QSettings settings(QString::fromStdString(NativeString(config.Path() / "Tellurin.conf")), QSettings::IniFormat);
    settings.setValue("LastCity", QString::fromStdString(c.lastCity));
    AppWindows windows({towns.Root()}, &settings);
    std::vector<std::string> messages;
    windows.CityChooser.MessageSink = windows.Map.MessageSink = [&](const std::string& m) { messages.push_back(m); };
    windows.CityChooser.EndProgram = windows.Map.EndProgram = [] {};
    windows.CityChooser.show();
    EXPECT_EQ(windows.OpenGeoLink(c.uri), !c.opened.empty());
    EXPECT_EQ(windows.Map.isVisible(), !c.opened.empty());
    if (c.opened.empty()) {
      EXPECT_EQ(messages, std::vector<std::string>{c.message});
      EXPECT_TRUE(windows.CityChooser.isVisible());
      continue;
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    const MapCore& core = windows.Map.Core();
    EXPECT_EQ(core.CurrentCity, c.opened);
    EXPECT_EQ(core.View.Scale, c.scale);
    // The middle of the visible map lies on the point, to a map unit.
    const QPoint middle = VisibleMapCentre(windows.Map.VisibleMapRect());
    const HitPoint hit = WindowToHit(core.View, middle.x(), middle.y());
    ASSERT_TRUE(core.Geo);
    const std::optional<LatLon> shown = MapToLatLon(*core.Geo, hit.X / core.View.Scale, hit.Y / core.View.Scale);
    GeoLink link;
    std::string problem;
    ASSERT_TRUE(ParseGeoUri(c.uri, link, problem));
    ASSERT_TRUE(shown);
    EXPECT_NEAR(shown->Latitude, link.At.Latitude, 4 / 111e3);
    EXPECT_NEAR(shown->Longitude, link.At.Longitude, 4 / 62e3);
  }
}
