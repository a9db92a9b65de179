// tellurin-cli measure: the length of a line through map points of a city with
// a georeference, against PROJ's `geod` (tests/mapdata/GeodesicTest.cpp says
// how those values were made); a city without one, a bad one, a point beyond
// its reach and wrong calls are refused.
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/CityBuilder.h"

namespace {

const std::string kGeoReference =
    "Tellurin georeference 1\r\n"
    "proj +proj=tmerc +approx +lat_0=45.0312100 +lon_0=39.0240600 +k=1 +x_0=0 +y_0=0 +ellps=WGS84\r\n"
    "unit 4\r\norigin 500 600\r\naxes east south\r\n";

std::string CityWith(const CityBuilder& city, const std::string& georeference) {
  city.About("Городок");
  if (!georeference.empty()) city.Raw("Info/Georef.inf", georeference);
  return NativeString(city.CityDir());
}

}  // namespace

TEST(MeasureCli, PrintsTheGeodesicLengthThroughThePoints) {
  CityBuilder city;
  const std::string dir = CityWith(city, kGeoReference);
  struct Case {
    std::vector<std::string> points;
    std::string out;  // geod: 999.999998, 7507.246886, 987.819253, 390151.178962 m
  };
  const Case cases[] = {
      {{"500,600", "750,600"}, "length\t1000.00\n"},
      {{"500,600", "800,350", "1200,900", "400,1000"}, "length\t7507.25\n"},
      {{"250500,600", "250750,600"}, "length\t987.82\n"},
      {{"-374500,600", "-374500,100600", "-374250,100600"}, "length\t390151.18\n"},
      {{"500,600", "500,600"}, "length\t0.00\n"},
  };
  for (const Case& k : cases) {
    std::vector<std::string> args{"measure", dir};
    args.insert(args.end(), k.points.begin(), k.points.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, k.out);
    EXPECT_EQ(r.err, "");
  }
}

TEST(MeasureCli, RefusesWhatItCannotMeasure) {
  CityBuilder plain("Plain"), bad("Bad"), good("Good");
  const std::string plainDir = CityWith(plain, ""), badDir = CityWith(bad, "Tellurin georeference 2\r\n"),
                    goodDir = CityWith(good, kGeoReference);
  struct Case {
    std::vector<std::string> args;
    int exit;
    std::string err;  // the start of what it says
  };
  const Case cases[] = {
      {{plainDir, "500,600", "750,600"}, 1, "tellurin-cli: у города Plain нет географической привязки (Info/Georef.inf)"},
      {{badDir, "500,600", "750,600"}, 1, "tellurin-cli: Файл "},
      {{goodDir, "500,600", "600500,600"}, 1, "tellurin-cli: у точки 600500,600 нет широты"},
      {{goodDir, "500,600"}, 2, "tellurin-cli: нужны хотя бы две точки X,Y\nusage: "},
      {{goodDir, "500,600", "750;600"}, 2, "tellurin-cli: X,Y 750;600: нужны два целых числа через запятую"},
      {{goodDir, "500,600", "750,600", "--scale", "2"}, 2, "tellurin-cli: неизвестный параметр --scale\n"},
      {{goodDir + "/nowhere", "500,600", "750,600"}, 2, "tellurin-cli: "},
  };
  for (const Case& k : cases) {
    std::vector<std::string> args{"measure"};
    args.insert(args.end(), k.args.begin(), k.args.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, k.exit) << k.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(0, k.err.size()), k.err);
  }
}
