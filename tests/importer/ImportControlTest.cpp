// An import watched and stopped from outside, as the window runs it: the
// steps it reports in order with shares that only grow, a stop at any step
// leaving the data root as it was; and the settlements of a file listed for
// choosing one, most important first.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <vector>

#include "importer/OsmImport.h"
#include "importer/PlaceList.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kExtract = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "town.osm";

ImportOptions Options(const fs::path& root, bool replace = false) {
  ImportOptions o;
  o.Input = kExtract;
  o.DataRoot = root;
  o.Name = "Город";
  o.Replace = replace;
  return o;
}

TEST(ImportControl, StepsComeInOrderWithSharesThatOnlyGrow) {
  TempDir root;
  std::vector<std::pair<ImportStep, double>> reports;
  ImportControl control([&](ImportStep step, double share) { reports.emplace_back(step, share); });
  ASSERT_EQ(ImportOsm(Options(root.Path()), control).Result, ImportResult::Outcome::Imported);

  const std::vector<ImportStep> order = {ImportStep::ReadingRelations, ImportStep::ReadingData, ImportStep::Assembling,
                                         ImportStep::Writing,          ImportStep::Drawing,     ImportStep::Publishing};
  std::vector<ImportStep> seen;
  for (size_t i = 0; i < reports.size(); ++i) {
    const auto [step, share] = reports[i];
    EXPECT_GE(share, 0.0);
    EXPECT_LE(share, 1.0);
    if (seen.empty() || seen.back() != step)
      seen.push_back(step);
    else
      EXPECT_GE(share, reports[i - 1].second) << "step " << static_cast<int>(step);
  }
  EXPECT_EQ(seen, order);
  EXPECT_EQ(reports.back(), std::make_pair(ImportStep::Publishing, 1.0));
}

// Stopped when a step begins or within the assembly or the writing, the import ends as cancelled and the data root
// holds what it held: nothing, or the old city untouched.
TEST(ImportControl, AStopAtAnyStepLeavesTheDataRootAsItWas) {
  for (const bool oldCity : {false, true}) {
    // A step and the share of it at which the stop is asked for: a step's
    // beginning, or the middle of the assembly or of the writing, which are
    // not reads.
    struct StopPoint {
      ImportStep Step;
      double Share;
    };
    for (const StopPoint at : std::vector<StopPoint>{{ImportStep::ReadingRelations, 0}, {ImportStep::ReadingData, 0},
                                                     {ImportStep::Assembling, 0}, {ImportStep::Assembling, 0.5},
                                                     {ImportStep::Writing, 0}, {ImportStep::Writing, 0.5},
                                                     {ImportStep::Drawing, 0},
                                                     {ImportStep::Publishing, 0}}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(at.Step)) + " at " + std::to_string(at.Share) +
                   (oldCity ? " over an old city" : ""));
      TempDir root;
      if (oldCity) {
        ASSERT_EQ(ImportOsm(Options(root.Path())).Result, ImportResult::Outcome::Imported);
      }
      const std::map<fs::path, std::string> before = TreeEntries(root.Path());
      ImportControl* self = nullptr;
      ImportControl control([&](ImportStep step, double share) {
        if (step == at.Step && share >= at.Share) {
          self->RequestStop();
        }
      });
      self = &control;
      const ImportResult result = ImportOsm(Options(root.Path(), oldCity), control);
      EXPECT_EQ(result.Result, ImportResult::Outcome::Cancelled);
      EXPECT_NE(result.Error.find("town.osm"), std::string::npos) << result.Error;
      EXPECT_EQ(TreeEntries(root.Path()), before);
    }
  }
}

TEST(PlaceList, SettlementsComeMostImportantFirst) {
  TempDir dir;
  const fs::path file = dir.Path() / "region.osm";
  WriteBytes(file, R"(<?xml version="1.0" encoding="UTF-8"?>
<osm version="0.6">
 <node id="1" lat="55.0" lon="37.0"><tag k="place" v="village"/><tag k="name" v="Дубки"/><tag k="population" v="900"/></node>
 <node id="2" lat="55.1" lon="37.1"><tag k="place" v="town"/><tag k="name" v="Ozyory"/><tag k="name:ru" v="Озёры"/></node>
 <node id="3" lat="55.2" lon="37.2"><tag k="place" v="city"/><tag k="name" v="Северск"/><tag k="population" v="100000"/></node>
 <node id="4" lat="55.3" lon="37.3"><tag k="place" v="village"/><tag k="name" v="Липки"/><tag k="population" v="2500"/></node>
 <node id="5" lat="55.4" lon="37.4"><tag k="place" v="town"/><tag k="name" v="Кремлёв"/><tag k="capital" v="4"/></node>
 <node id="6" lat="55.5" lon="37.5"><tag k="place" v="square"/><tag k="name" v="Площадь"/></node>
 <node id="7" lat="55.6" lon="37.6"><tag k="place" v="hamlet"/></node>
 <node id="8" lat="55.7" lon="37.7"><tag k="place" v="hamlet"/><tag k="name" v="Выселки"/></node>
</osm>
)");
  std::vector<SettlementFeature> places;
  std::string error;
  ASSERT_TRUE(ListSettlements(file, places, error)) << error;
  std::vector<std::string> rows;
  for (const SettlementFeature& p : places)
    rows.push_back(p.Id + " " + p.Place + " " + p.Names.front() + "/" + p.RussianName + " " +
                   std::to_string(p.Population));
  EXPECT_EQ(rows, (std::vector<std::string>{"n5 town Кремлёв/ 0", "n3 city Северск/ 100000", "n2 town Ozyory/Озёры 0",
                                            "n4 village Липки/ 2500", "n1 village Дубки/ 900",
                                            "n8 hamlet Выселки/ 0"}));

  EXPECT_FALSE(ListSettlements(dir.Path() / "missing.osm", places, error));
  EXPECT_NE(error.find("missing.osm"), std::string::npos) << error;
}

}  // namespace
