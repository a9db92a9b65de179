// tellurin-cli render --scale-bar draws the scale bar the window shows, for a
// city with a georeference only; without the option the picture is as it was.
#include <QImage>
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/CityBuilder.h"

namespace {

std::string CityWith(const CityBuilder& city, bool georeferenced) {
  city.About("Городок");
  if (georeferenced)
    city.Raw("Info/Georef.inf",
             "Tellurin georeference 1\r\n"
             "proj +proj=tmerc +approx +lat_0=45.0312100 +lon_0=39.0240600 +k=1 +x_0=0 +y_0=0 +ellps=WGS84\r\n"
             "unit 4\r\norigin 500 600\r\naxes east south\r\n");
  return NativeString(city.CityDir());
}

}  // namespace

// 500 m are 125 pixels at 100% beside the centre: the bar's row in the bottom
// left corner of the 400 x 300 picture; none without the option or the
// georeference.
TEST(ScaleBarCli, RenderDrawsTheBarOfAGeoreferencedCityWhenAsked) {
  CityBuilder georeferenced("Geo"), plain("Plain");
  struct Case {
    std::string dir;
    bool option;
    int black;  // pixels of the bar's row
  };
  const Case cases[] = {{CityWith(georeferenced, true), true, 125},
                        {NativeString(georeferenced.CityDir()), false, 0},
                        {CityWith(plain, false), true, 0}};
  for (const Case& k : cases) {
    const std::string out = NativeString(georeferenced.DataRoot() / "bar.png");
    std::vector<std::string> args{"render", k.dir, "-o", out, "--screen", "400x300"};
    if (k.option) args.push_back("--scale-bar");
    const CliResult r = RunCli(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QImage picture(QString::fromStdString(out));
    int black = 0;
    for (int x = 0; x < picture.width(); ++x) black += picture.pixel(x, 299 - 13) == qRgb(0, 0, 0);
    EXPECT_EQ(black, k.black) << k.dir << " " << k.option;
  }
}
