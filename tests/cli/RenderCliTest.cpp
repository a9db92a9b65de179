// tellurin-cli render on a small city written to disk.
#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "support/CityBuilder.h"
#include "support/StyleColours.h"

namespace {

class RenderCli : public ::testing::Test {
 protected:
  RenderCli() {
    city.About("Город");
    // A market square around the map point (100, 100), a river across it.
    city.Plain("Data/Regions.txt", {{W("Рынки"), "4", "50 50 150 50 150 150 50 150", "0", " "}});
    city.Plain("Data/Streets.txt", {StreetRecord("Река", "0 100 200 100", 2, "4", "Река")});
  }

  QImage Render(const std::vector<std::string>& extra, CliResult* result = nullptr) {
    const std::string out = NativeString(city.DataRoot() / "out.png");
    std::vector<std::string> args = {"render", NativeString(city.CityDir()), "-o", out, "--screen", "200x150"};
    args.insert(args.end(), extra.begin(), extra.end());
    const CliResult r = RunCli(args);
    if (result) *result = r;
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return QImage(QString::fromStdString(out));
  }

  CityBuilder city;
};

TEST_F(RenderCli, WritesTheWindowCentredOnTheGivenPoint) {
  const QImage window = Render({"--center", "100,100"});
  ASSERT_EQ(window.size(), QSize(200, 150));
  // The centre of the window is map point (100, 100): the river on the market.
  EXPECT_EQ(QColor(window.pixel(100, 75)), mapstyle::RiverStreet);
  EXPECT_EQ(QColor(window.pixel(100, 60)), RegionFill("Рынки"));
  EXPECT_EQ(QColor(window.pixel(10, 10)), kBackground);
}

TEST_F(RenderCli, ScaleWidensTheRiver) {
  const QImage window = Render({"--center", "100,100", "--scale", "2"});
  int blue = 0;
  for (int y = 60; y < 90; ++y) blue += QColor(window.pixel(100, y)) == mapstyle::RiverStreet ? 1 : 0;
  EXPECT_EQ(blue, 8);
  // 50 map units from the centre is 100 pixels: the market fills the window.
  EXPECT_EQ(QColor(window.pixel(10, 10)), RegionFill("Рынки"));
}

// The city's own box (0, 50)-(200, 150), not the origin, at the largest step
// that shows it whole in 450 x 350 pixels (2.0: 401 x 201), in the middle: map
// (x, y) is window pixel (24.5 + 2x, -25.5 + 2y); the scale and centre given
// give way.
TEST_F(RenderCli, WholeCityFitsTheCitysBoxIntoTheWindow) {
  const QImage window = Render({"--screen", "450x350", "--scale", "7", "--center", "0,0", "--whole-city"});
  const QColor river(0, 0, 255), market(251, 125, 166), ground(240, 230, 230);
  struct Probe {
    int x, y;
    QColor expected;
  };
  for (const Probe& p : {Probe{10, 10, ground}, Probe{120, 170, ground}, Probe{225, 70, ground},
                         Probe{225, 85, market}, Probe{130, 130, market}, Probe{225, 175, river},
                         Probe{320, 270, market}, Probe{330, 280, ground}, Probe{225, 280, ground},
                         Probe{440, 340, ground}})
    EXPECT_EQ(QColor(window.pixel(p.x, p.y)).name(), p.expected.name()) << p.x << "," << p.y;
}

// After the status bar, the view drawn: its scale as --scale reads it and the
// map point in the middle of the window.
TEST_F(RenderCli, PrintsTheViewItDrewLast) {
  struct Case {
    std::vector<std::string> Args;
    std::string View;
  };
  for (const Case& c : {Case{{}, "view\t1\t500\t600"}, Case{{"--scale", "2.5", "--center", "100,80"}, "view\t2.5\t100\t80"},
                        Case{{"--scale", "0.25"}, "view\t0.25\t500\t600"},
                        Case{{"--whole-city"}, "view\t0.5\t100\t100"},
                        Case{{"--screen", "450x350", "--whole-city"}, "view\t2\t100\t100"},
                        // too big for 50%: 200 units across 49 pixels, at the scale that just fits them
                        Case{{"--screen", "50x40", "--whole-city"}, "view\t0.24499999\t97\t97"}}) {
    CliResult r;
    Render(c.Args, &r);
    EXPECT_EQ(r.out, "status\t0\t\nstatus\t1\t\nstatus\t2\t\n" + c.View + "\n") << c.View;
  }
  EXPECT_NE(RunCli({"render", "--help"}).out.find("view<TAB>SCALE<TAB>CENTERX<TAB>CENTERY"), std::string::npos);
}

TEST_F(RenderCli, PictureOptionWritesTheWholeMapPicture) {
  const QImage picture = Render({"--center", "100,100", "--picture"});
  ASSERT_EQ(picture.size(), QSize(400, 300));
  EXPECT_EQ(QColor(picture.pixel(200, 150)), mapstyle::RiverStreet);
}

TEST_F(RenderCli, MissingCityAndBadArgumentsAreReported) {
  CliResult r = RunCli({"render", NativeString(city.DataRoot() / "Nowhere"), "-o", "/tmp/x.png"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("не папка города"), std::string::npos) << r.err;
  r = RunCli({"render", NativeString(city.CityDir())});
  EXPECT_EQ(r.exitCode, 2);
  r = RunCli({"render", NativeString(city.CityDir()), "-o", "/tmp/x.png", "--scale", "abc"});
  EXPECT_EQ(r.exitCode, 2);
  r = RunCli({"render", NativeString(city.CityDir()), "-o", "/tmp/x.png", "--texts", "maybe"});
  EXPECT_EQ(r.exitCode, 2);
  r = RunCli({"render", "--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("--picture"), std::string::npos);
}

TEST_F(RenderCli, AShortPointListIsReportedNotCrashed) {
  // A region whose point list is shorter than its count.
  city.Plain("Data/Regions.txt", {{W("Рынки"), "4", "50 50 150 50", "0", " "}});
  const CliResult r = RunCli({"render", NativeString(city.CityDir()), "-o", NativeString(city.DataRoot() / "bad.png")});
  EXPECT_NE(r.exitCode, -1) << "crashed";
  EXPECT_NE(r.err.find("message\t"), std::string::npos) << r.err;
}

// The painter holds 32-bit pixels; ends far beyond them must not move a line.
// A river along y = x + 4 and a market whose edge runs along y = x, each from
// one end of the coordinate range to the other, drawn at scale 15 around
// (100, 100) in a wide window: map (x, y) is window pixel
// (200 + 15 (x - 100), 50 + 15 (y - 100)).
TEST_F(RenderCli, LinesAndEdgesWithHugeEndsAreDrawnWhereTheyLie) {
  const std::string lo = "-2147483648", hi = "2147483647";
  city.Plain("Data/Regions.txt", {{W("Рынки"), "3", lo + " " + lo + " " + hi + " " + hi + " " + lo + " " + hi, "0", " "}});
  city.Plain("Data/Streets.txt", {StreetRecord("Река", lo + " -2147483644 2147483643 " + hi, 2, "1", "Река")});
  const QImage window = Render({"--screen", "400x100", "--center", "100,100", "--scale", "15"});
  const QColor river(0, 0, 255), market(251, 125, 166), ground(240, 230, 230);
  struct Probe {
    int x, y;
    QColor expected;
  };
  // The river's middle is window y = x - 90, 15 pixels wide; the market lies
  // below window y = x - 150.
  for (const Probe& p : {Probe{100, 10, river}, Probe{130, 40, river}, Probe{170, 80, river}, Probe{100, 50, market},
                         Probe{200, 80, market}, Probe{200, 30, ground}, Probe{250, 60, ground},
                         Probe{300, 20, ground}})
    EXPECT_EQ(QColor(window.pixel(p.x, p.y)).name(), p.expected.name()) << p.x << "," << p.y;
}

}  // namespace
