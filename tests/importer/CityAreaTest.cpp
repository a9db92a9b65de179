// Where an import finds the city: the file's bounds when they are a city's,
// else the densest part of the buildings; the margin kept around it.
#include "importer/CityArea.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Degrees in the data's fixed-point form.
int32_t D(double degrees) { return static_cast<int32_t>(degrees * 1e7 + (degrees < 0 ? -0.5 : 0.5)); }

GeoBox Box(double minLon, double minLat, double maxLon, double maxLat) {
  GeoBox box;
  box.Add(GeoPoint{D(minLon), D(minLat)});
  box.Add(GeoPoint{D(maxLon), D(maxLat)});
  return box;
}

// A house of about 20 m at (lon, lat).
BuildingFeature House(double lon, double lat) {
  BuildingFeature b;
  b.Shape.Outer = {{D(lon), D(lat)}, {D(lon + 0.0003), D(lat)}, {D(lon + 0.0003), D(lat + 0.0002)}, {D(lon), D(lat)}};
  return b;
}

// Ten houses close together in the east, two alone 3 km west of them.
Features Town() {
  Features f;
  for (int i = 0; i < 10; ++i) f.Buildings.push_back(House(37.10 + 0.001 * (i % 5), 55.00 + 0.001 * (i / 5)));
  f.Buildings.push_back(House(37.05, 55.00));
  f.Buildings.push_back(House(37.05, 55.01));
  return f;
}

TEST(CityArea, TheFileBoundsOfACityBoundTheMapCentredOnItsDensestBuildings) {
  const Features town = Town();
  const GeoBox data = Box(37.05, 55.00, 37.1043, 55.0102);
  const GeoPoint dense{D(37.10 + 0.002), D(55.0005)};  // the middle of the ten
  const std::string dataBox = "the box of its streets, buildings and points of interest";
  struct Case {
    std::string What;
    std::optional<GeoBox> Bounds;
    GeoPoint Centre;
    std::string Source, How;
  };
  const Case cases[] = {
      {"a district's bounds without houses", Box(37.06, 55.00, 37.08, 55.01), {D(37.07), D(55.005)},
       "the file's bounds", "middle of the area"},
      {"a city's bounds", Box(37.04, 54.99, 37.12, 55.02), dense, "the file's bounds", "densest buildings"},
      {"no bounds", std::nullopt, dense, dataBox, "densest buildings"},
      {"bounds away from the data", Box(38.0, 56.0, 38.1, 56.1), dense, dataBox, "densest buildings"},
      {"a region's bounds, 300 km wide", Box(35.0, 54.0, 39.7, 56.0), dense, dataBox, "densest buildings"},
  };
  for (const Case& c : cases) {
    const CityArea area = FindCityArea(town, data, c.Bounds, {});
    EXPECT_NEAR(area.Centre.X, c.Centre.X, 20) << c.What;
    EXPECT_NEAR(area.Centre.Y, c.Centre.Y, 20) << c.What;
    EXPECT_EQ(area.Source, c.Source) << c.What;
    EXPECT_EQ(area.CentreHow, c.How) << c.What;
    EXPECT_TRUE(area.Kept.Contains(area.Centre)) << c.What;
  }
}

// The settlement the city's names call (whatever the case, ё or е, hyphens,
// Kazakh letters; a file's name by a run of its words), else a national or
// regional capital, then the largest rank: a district's centre is no capital
// here.
TEST(CityArea, TheSettlementCalledByTheCitysNameElseTheMostImportant) {
  const std::vector<SettlementFeature> places = {
      {"city", {"Ростов-на-Дону", "Rostov-on-Don"}, 4, 1100000, {D(39.7), D(47.2)}, "n1", ""},
      {"village", {"Кривянская"}, 6, 10000, {D(40.0), D(47.4)}, "n2", ""},
      {"town", {"Аксай", "Aksai"}, 0, 40000, {D(39.9), D(47.3)}, "n3", ""},
      {"hamlet", {"Дон"}, 0, 0, {D(39.8), D(47.3)}, "n4", ""},
      {"town", {"Ёлкино"}, 0, 0, {D(40.1), D(47.1)}, "n5", ""},
      {"town", {"Ақтөбе"}, 0, 0, {D(40.2), D(47.1)}, "n6", ""},
  };
  const GeoBox all = Box(39.0, 47.0, 41.0, 48.0), east = Box(39.85, 47.0, 41.0, 48.0);
  struct Case {
    std::vector<CityName> Names;
    GeoBox Area;
    const char* Id;
  };
  const Case cases[] = {
      {{}, all, "n1"},
      {{{"ростов на дону", false}}, all, "n1"},
      {{{"Мой город", false}, {"aksai-latest", true}}, all, "n3"},
      {{{"ДОН", false}}, all, "n4"},
      {{{"Елкино", false}}, all, "n5"},
      {{{"актобе", false}}, all, "n6"},
      {{{"Ростов", false}}, east, "n3"},
  };
  for (const Case& c : cases) {
    const SettlementFeature* s = CentralSettlement(places, c.Area, c.Names);
    ASSERT_NE(s, nullptr) << c.Id;
    EXPECT_EQ(s->Id, c.Id);
  }
  EXPECT_EQ(CentralSettlement(places, Box(30.0, 40.0, 31.0, 41.0), {}), nullptr);
}

// 10% of the width and height beyond each edge, at least about 100 m; the
// features reaching beyond the area kept counted once each.
TEST(CityArea, TheMarginAndWhatReachesBeyondIt) {
  struct Case {
    GeoBox Core;
    GeoBox Kept;
  };
  // At latitude 60, 100 m is 0.0009 degrees of latitude and 0.0018 of longitude
  // (within 50 units of 1e-7 degrees: half a metre).
  for (const Case& c : {Case{Box(37.0, 60.0, 37.1, 60.1), Box(36.99, 59.99, 37.11, 60.11)},
                        Case{Box(37.0, 60.0, 37.001, 60.001), Box(36.9982, 59.9991, 37.0028, 60.0019)}}) {
    const GeoBox kept = WithMargin(c.Core, kCityAreaMargin);
    EXPECT_NEAR(kept.MinX, c.Kept.MinX, 50) << c.Core.MaxX;
    EXPECT_NEAR(kept.MinY, c.Kept.MinY, 50) << c.Core.MaxX;
    EXPECT_NEAR(kept.MaxX, c.Kept.MaxX, 50) << c.Core.MaxX;
    EXPECT_NEAR(kept.MaxY, c.Kept.MaxY, 50) << c.Core.MaxX;
  }
  Features f = Town();
  LineFeature railway;
  railway.Line.Points = {{D(37.06), D(55.0)}, {D(37.5), D(55.0)}};
  f.Lines.push_back(railway);
  ObjectFeature far;
  far.At = {D(37.5), D(55.0)};
  f.Objects.push_back(far);
  EXPECT_EQ(FeaturesReachingOut(f, Box(37.0, 54.9, 37.2, 55.1)), 2u);  // the houses lie inside
  EXPECT_EQ(FeaturesReachingOut(f, Box(37.0, 54.9, 37.6, 55.1)), 0u);
}

}  // namespace
