// A city out of a region (import-osm --list-places and --city) on a small
// generated region (RegionExtract.h): settlements listed most important
// first; a settlement cut by its boundary, by a radius when its boundary is
// broken or missing; names matched whatever the case, ё or е, by name:ru;
// a name two settlements share and one none has refused with the candidates.
#include <gtest/gtest.h>

#include <osmium/io/any_input.hpp>
#include <osmium/osm/relation.hpp>

#include <map>
#include <set>
#include <sstream>

#include "RegionExtract.h"
#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "support/TabFields.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::vector<std::string>> Lines(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(TabFields(line));
  return lines;
}

class OsmRegion : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempDir;
    WriteRegionExtract({8, 6}, Region());
    osmium::io::Reader reader{NativeString(Region()), osmium::osm_entity_bits::relation};
    while (auto buffer = reader.read())
      for (const osmium::Relation& r : buffer.select<osmium::Relation>())
        if (const char* name = r.tags()["name"]; name && r.tags().has_tag("admin_level", "8")) boundaries_[name] = r.id();
    reader.close();
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }
  static fs::path Region() { return root_->Path() / "region.osm.pbf"; }
  static CliResult Import(const std::string& city, const std::string& name) {
    return RunCli({"import-osm", NativeString(Region()), "--out", NativeString(root_->Path()), "--city", city,
                   "--name", name});
  }
  // The texts of the imported city's labels.
  static std::set<std::string> Labels(const std::string& name) {
    const CliResult r = RunCli({"dump", NativeString(root_->Path() / NativePath(name))});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::set<std::string> labels;
    std::string table;
    for (const std::vector<std::string>& f : Lines(r.out)) {
      if (f[0] == "table") table = f[1];
      else if (table == "ListOfTexts" && f.size() > 1) labels.insert(f[1]);
    }
    return labels;
  }

  static TempDir* root_;
  static std::map<std::string, int64_t> boundaries_;  // the settlements' boundary relations by name
};

TempDir* OsmRegion::root_ = nullptr;
std::map<std::string, int64_t> OsmRegion::boundaries_;

TEST_F(OsmRegion, ListPlacesGivesEverySettlementMostImportantFirst) {
  const CliResult r = RunCli({"import-osm", NativeString(Region()), "--list-places"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::vector<std::string>> places;
  for (std::vector<std::string>& f : Lines(r.out)) {
    ASSERT_EQ(f.size(), 6u) << r.out;
    EXPECT_EQ(f[0], "place");
    EXPECT_NEAR(std::stod(f[4]), 56, 1.5) << f[1];  // the region lies north-east of 55.5, 37.3
    EXPECT_NEAR(std::stod(f[5]), 38, 1.5) << f[1];
    places.push_back({f[1], f[2], f[3]});
  }
  EXPECT_EQ(places, (std::vector<std::vector<std::string>>{{"Новоозёрск", "city", "250000"},
                                                           {"Әлмәт", "town", "48000"},
                                                           {"Заречный", "town", "31000"},
                                                           {"Луговой", "town", "22000"},
                                                           {"Васильевка", "village", "1178"},
                                                           {"Покровка", "village", "900"},
                                                           {"Покровка", "village", "450"},
                                                           {"Николаевка", "hamlet", "41"}}));
  const CliResult missing = RunCli({"import-osm", NativeString(root_->Path() / "none.osm.pbf"), "--list-places"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("none.osm.pbf"), std::string::npos) << missing.err;
}

TEST_F(OsmRegion, CityIsCutByItsBoundaryElseByRadius) {
  struct Case {
    std::string City, Name, Area, Broken, Label;
  };
  const Case cases[] = {
      {"новоозерск", "Город", "boundary relation " + std::to_string(boundaries_["Новоозёрск"]), "", "Новоозёрск"},
      {"альметьевск", "Альметьевск", "boundary relation " + std::to_string(boundaries_["Әлмәт"]), "", ""},
      {"ЗАРЕЧНЫЙ", "Заречный", "radius 5 km", "1", "Заречный"},
      {"Луговой", "Луговой", "radius 5 km", "", "Луговой"},
  };
  const std::set<std::string> settlements{"Новоозёрск", "Заречный", "Луговой", "Покровка", "Васильевка"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.City);
    const CliResult r = Import(c.City, c.Name);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::map<std::string, std::string> summary;  // the area, layers' records and reasons skipped
    for (const std::vector<std::string>& f : Lines(r.out))
      if (f[0] == "area")
        summary["area"] = f[1];
      else if ((f[0] == "skipped" || f[0] == "records") && f.size() > 2)
        summary[f[1]] = f[2];
    EXPECT_EQ(summary["area"], c.Area);
    EXPECT_EQ(summary["settlement boundary with missing members or open rings"], c.Broken);
    // Its own streets and label, none of its neighbours'.
    EXPECT_GT(std::stoi(summary["Streets"]), 0);
    const std::set<std::string> labels = Labels(c.Name);
    for (const std::string& other : settlements) EXPECT_EQ(labels.count(other), other == c.Label ? 1u : 0u) << other;
  }
}

TEST_F(OsmRegion, AmbiguousAndUnknownNamesAreRefusedWithTheCandidates) {
  const CliResult two = Import("покровка", "Покровка");
  EXPECT_EQ(two.exitCode, 2);
  std::vector<std::vector<std::string>> listed;
  for (std::vector<std::string>& f : Lines(two.err))
    if (f[0] == "place") listed.push_back({f[1], f[2], f[3]});
  EXPECT_EQ(listed, (std::vector<std::vector<std::string>>{{"Покровка", "village", "900"}, {"Покровка", "village", "450"}}));

  const CliResult none = Import("Новозерск", "Новозерск");
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_NE(none.err.find("no settlement called \"Новозерск\"; the nearest: \"Новоозёрск\""), std::string::npos)
      << none.err;
  EXPECT_FALSE(fs::exists(root_->Path() / NativePath("Покровка")));
  EXPECT_FALSE(fs::exists(root_->Path() / NativePath("Новозерск")));
}

}  // namespace
