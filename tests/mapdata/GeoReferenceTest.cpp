// A city's georeference (Info/Georef.inf): read at every load, refused with
// the reason when it is not exactly what the importer writes, and turning map
// points into latitude and longitude.
#include <gtest/gtest.h>

#include <tuple>

#include "mapdata/CityCheck.h"
#include "mapdata/GeoReference.h"
#include "mapdata/ProblemText.h"
#include "shell/LoadCity.h"
#include "support/CityBuilder.h"

namespace {

const std::string kProj =
    "proj +proj=tmerc +approx +lat_0=45.0312100 +lon_0=39.0240600 +k=1 +x_0=0 +y_0=0 +ellps=WGS84";

// The file of these lines, CR LF after each.
std::string Lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::string Good() { return Lines({"Tellurin georeference 1", kProj, "unit 4", "origin 500 600", "axes east south"}); }

// A good file with line `index` (from 0) replaced.
std::string GoodBut(size_t index, const std::string& line) {
  std::vector<std::string> lines = {"Tellurin georeference 1", kProj, "unit 4", "origin 500 600", "axes east south"};
  lines[index] = line;
  return Lines(lines);
}

}  // namespace

TEST(GeoReference, ABadFileMakesACityWithoutLatitudesAndSaysWhatIsWrong) {
  struct Case {
    std::string Bytes;
    std::string Says;  // "" for a good file
  };
  std::string lf = Good();
  std::erase(lf, '\r');
  const Case cases[] = {
      {Good(), ""},
      {lf, ""},
      {Good() + std::string(4096 - Good().size(), '\n'),
       "строк " + std::to_string(5 + 4096 - Good().size()) + ", а должно быть 5"},
      {Good() + std::string(4097 - Good().size(), '\n'), "файл больше 4096 байт"},
      {"", "файл пуст"},
      {"Tellurin georeference 2\r\n", "версия «2» не читается этой программой (читается версия 1)"},
      {"<?xml version=\"1.0\"?>\r\n", "первая строка не «Tellurin georeference 1»"},
      {Good() + "axes east south\r\n", "строк 6, а должно быть 5"},
      {GoodBut(2, "unit 4 м"), "строка 3: в ней есть знак, кроме печатных знаков ASCII"},
      {GoodBut(1, "+proj=tmerc"), "строка 2: ожидается «proj +proj=tmerc …»"},
      {GoodBut(1, "proj +proj=merc +ellps=WGS84"), "строка 2: проекция не «+proj=tmerc» (поперечная проекция Меркатора)"},
      {GoodBut(1, "proj +proj=tmerc +ellps=GRS80"), "строка 2: эллипсоид не «+ellps=WGS84»"},
      {GoodBut(1, "proj +proj=tmerc +towgs84=0,0,0 +ellps=WGS84"), "строка 2: параметр «+towgs84=0,0,0» не поддерживается"},
      {GoodBut(1, "proj +proj=tmerc  +ellps=WGS84"), "строка 2: параметр «» не начинается с «+»"},
      {GoodBut(1, "proj +proj=tmerc +lat_0=1 +lat_0=2 +ellps=WGS84"), "строка 2: параметр «lat_0» повторяется"},
      {GoodBut(1, "proj +proj=tmerc +lat_0=91 +ellps=WGS84"), "строка 2: +lat_0 «91» вне пределов от -90 до 90"},
      {GoodBut(1, "proj +proj=tmerc +lon_0=1e2 +ellps=WGS84"), "строка 2: +lon_0 «1e2» не является числом"},
      {GoodBut(1, "proj +proj=tmerc +k=0 +ellps=WGS84"), "строка 2: +k «0» вне пределов от 0.1 до 10"},
      {GoodBut(2, "unit nan"), "строка 3: единица карты «nan» не является числом"},
      {GoodBut(2, "unit -4"), "строка 3: единица карты «-4» вне пределов от 0.001 до 10000"},
      {GoodBut(2, "unit 4 4"), "строка 3: ожидается «unit МЕТРОВ»"},
      {GoodBut(3, "origin 500.5 600"), "строка 4: координата «500.5» не является целым числом"},
      {GoodBut(3, "origin 500 99999999999"), "строка 4: координата «99999999999» не является целым числом"},
      {GoodBut(4, "axes west south"), "строка 5: ожидается «axes east south» или «axes east north»"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Bytes.substr(0, 120));
    CityBuilder city;
    city.About("Город");
    city.Plain("Data/Streets.txt", {StreetRecord("A", "1 2", 1)});  // a city without layers is a problem itself
    const fs::path file = city.Raw("Info/Georef.inf", c.Bytes);
    CoreFixture f(city.DataRoot());
    LoadCity(f.Core, city.Name(), "Город");
    const std::vector<DataProblem> problems = CheckCity(CityLocation{city.DataRoot(), city.Name()});
    if (c.Says.empty()) {
      EXPECT_TRUE(f.Core.Geo.has_value());
      EXPECT_TRUE(f.Host.Messages.empty());
      EXPECT_TRUE(problems.empty());
      continue;
    }
    const std::string what = c.Says + "; широта и долгота не показываются";
    EXPECT_FALSE(f.Core.Geo.has_value());
    EXPECT_EQ(f.Host.Messages, std::vector<std::string>{DataProblemMessage(file, 0, what)});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].File, file);
    EXPECT_EQ(problems[0].What, what);
  }
}

// Not a plain file in its place: a link is not followed, a folder not read;
// and the next city without a file has no georeference left from this one.
TEST(GeoReference, OnlyAPlainFileIsReadAndEveryLoadReadsItAgain) {
  CityBuilder city;
  city.About("Город");
  const fs::path elsewhere = city.Raw("Elsewhere.txt", Good());
  fs::create_directories(city.PathOf("Info"));
  CoreFixture f(city.DataRoot());
  std::error_code noLinks;  // Wine, and Windows without the right to make links
  fs::create_symlink(elsewhere, city.PathOf("Info/Georef.inf"), noLinks);
  if (!noLinks) {
    LoadCity(f.Core, city.Name(), "Город");
    EXPECT_FALSE(f.Core.Geo.has_value());
    EXPECT_EQ(f.Host.Messages,
              std::vector<std::string>{DataProblemMessage(city.PathOf("Info/Georef.inf"), 0,
                                                          "на месте файла находится символическая ссылка; широта и "
                                                          "долгота не показываются")});
    fs::remove(city.PathOf("Info/Georef.inf"));
  }
  fs::create_directories(city.PathOf("Info/Georef.inf"));
  f.Host.Messages.clear();
  LoadCity(f.Core, city.Name(), "Город");
  EXPECT_EQ(f.Host.Messages,
            std::vector<std::string>{DataProblemMessage(city.PathOf("Info/Georef.inf"), 0,
                                                        "на месте файла находится папка; широта и долгота не "
                                                        "показываются")});

  fs::remove(city.PathOf("Info/Georef.inf"));
  city.Raw("Info/Georef.inf", Good());
  LoadCity(f.Core, city.Name(), "Город");
  ASSERT_TRUE(f.Core.Geo.has_value());
  fs::remove(city.PathOf("Info/Georef.inf"));
  f.Host.Messages.clear();
  LoadCity(f.Core, city.Name(), "Город");
  EXPECT_FALSE(f.Core.Geo.has_value());
  EXPECT_TRUE(f.Host.Messages.empty());
}

// The file as the importer writes it reads back as it was; its origin is the
// projection's centre, a map unit is `unit` metres along each axis as the axes
// say, and beyond 2000 km off the central meridian there is no location.
TEST(GeoReference, MapPointsBecomeLocationsAsTheFileSays) {
  GeoReference geo;
  std::string problem;
  ASSERT_TRUE(ParseGeoReference(Good(), geo, problem)) << problem;
  EXPECT_EQ(GeoReferenceText(geo), Good());
  GeoReference north = geo;
  north.NorthUp = true;
  struct Case {
    const GeoReference* Geo;
    double X, Y;
    std::optional<LatLon> At;
  };
  // The locations PROJ gives for the same points (invproj with the file's
  // definition): 1000 m north, 1000 m east, 2000 km east of the centre.
  const Case cases[] = {
      {&geo, 500, 600, LatLon{45.03121, 39.02406}},
      {&geo, 500, 350, LatLon{45.0402083, 39.02406}},
      {&north, 500, 850, LatLon{45.0402083, 39.02406}},
      {&geo, 750, 600, LatLon{45.0312093, 39.0367497}},
      {&geo, 500 + 499'999, 600, LatLon{42.3817298, 63.2597244}},
      {&geo, 500 + 500'001, 600, std::nullopt},
      {&geo, 500 - 500'001, 600, std::nullopt},
      {&geo, 500, 600 - 2'000'000, std::nullopt},  // 8000 km north: beyond the pole
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.X) + " " + std::to_string(c.Y));
    const std::optional<LatLon> at = MapToLatLon(*c.Geo, c.X, c.Y);
    ASSERT_EQ(at.has_value(), c.At.has_value());
    if (!at) continue;
    EXPECT_NEAR(at->Latitude, c.At->Latitude, 1e-7);
    EXPECT_NEAR(at->Longitude, c.At->Longitude, 1e-7);
  }
  EXPECT_EQ(LatLonText({45.031214, 39.024056}), "45.03121, 39.02406");
  EXPECT_EQ(LatLonText({-0.000001, -33.5}), "0.00000, -33.50000");
}

// Locations become projected points as PROJ projects them (proj with the
// definitions below: the file's, and one with a scale factor and false origin
// south of the equator), to a millimetre, up to 2000 km off the central
// meridian; and map points as the file says, back where MapToLatLon read them.
TEST(GeoReference, LocationsBecomeProjectedAndMapPointsAsPROJProjectsThem) {
  const TransverseMercator city{45.03121, 39.02406, 1, 0, 0};
  const TransverseMercator south{-33.9, 18.5, 0.9996, 500000, 10000000};
  struct Case {
    const TransverseMercator* Projection;
    LatLon At;
    std::optional<ProjectedPoint> Projected;
  };
  const Case cases[] = {
      {&city, {45.03121, 39.02406}, ProjectedPoint{0, 0}},
      {&city, {45.0402083, 39.02406}, ProjectedPoint{0, 1000.0034}},
      {&city, {45.03121, 39.0367497}, ProjectedPoint{999.9994, 0.0783}},
      {&city, {45.5, 42.0}, ProjectedPoint{232592.0097, 56410.1557}},
      {&city, {44.0, 37.5}, ProjectedPoint{-122239.5782, -113460.9438}},
      {&city, {-33.9, 18.4}, ProjectedPoint{-1922866.2036, -8939159.1956}},
      {&south, {-33.9, 18.4}, ProjectedPoint{490754.4077, 9999995.4999}},
      {&city, {0, 9.0}, std::nullopt},     // 3300 km west
      {&city, {45, -141.0}, std::nullopt},  // the other side of the globe
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.At.Latitude) + " " + std::to_string(c.At.Longitude));
    const std::optional<ProjectedPoint> p = ForwardTransverseMercator(*c.Projection, c.At);
    ASSERT_EQ(p.has_value(), c.Projected.has_value());
    if (!p) continue;
    EXPECT_NEAR(p->Easting, c.Projected->Easting, 1e-3);
    EXPECT_NEAR(p->Northing, c.Projected->Northing, 1e-3);
  }

  GeoReference geo;
  std::string problem;
  ASSERT_TRUE(ParseGeoReference(Good(), geo, problem)) << problem;
  GeoReference north = geo;
  north.NorthUp = true;
  for (const auto& [reference, x, y] : {std::tuple{&geo, 500.0, 350.0}, {&north, 500.0, 850.0}, {&geo, 1234.5, -77.25}}) {
    const std::optional<LatLon> at = MapToLatLon(*reference, x, y);
    ASSERT_TRUE(at);
    const std::optional<MapCoordinates> back = LatLonToMap(*reference, *at);
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->X, x, 1e-6);
    EXPECT_NEAR(back->Y, y, 1e-6);
  }
}
