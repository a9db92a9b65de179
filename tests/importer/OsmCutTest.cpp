// A city cut out of a larger file: keeping only the node locations its area
// needs must give the city files (and the summary) that keeping every node's
// gives, for boxes in the middle, at a corner, along an edge and in a strip
// narrower than a block; and the cut reports its passes as one step.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

#include "SyntheticExtract.h"
#include "importer/CityAssembly.h"
#include "importer/OsmImport.h"
#include "importer/OsmRead.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

GeoBox Box(double minLon, double minLat, double maxLon, double maxLat) {
  return {static_cast<int32_t>(minLon * 1e7), static_cast<int32_t>(minLat * 1e7), static_cast<int32_t>(maxLon * 1e7),
          static_cast<int32_t>(maxLat * 1e7)};
}

// The city's files made of the features, each named and whole, and the
// summary; or why no city was made, all that a failed import shows.
// The firms' pictures are drawn from their records, which are compared; the
// drawing itself is not what a cut changes (and Windows' fonts may draw one
// picture a pixel apart from one run to the next).
bool IsPicture(const fs::path& file) {
  const std::string ext = file.extension().string();
  return ext == ".jpg" || ext == ".bmp" || ext == ".ico";
}

std::string CityOf(Features features, const GeoBox& box) {
  std::ostringstream out;
  AssembledCity city;
  std::string error;
  if (AssembleCity(features, {"Город", kDefaultUnit, box, std::nullopt, {{"Город", false}}, nullptr}, city, error)) {
    TempDir dir;
    RecordCounts counts;
    if (!WriteCityData(city.Map, dir.Path(), {}, counts, error)) return error;
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir.Path()))
      if (e.is_regular_file() && !IsPicture(e.path()))
        files[fs::relative(e.path(), dir.Path()).generic_string()] = ReadBytes(e.path());
    for (const auto& [name, bytes] : files) out << name << '\n' << bytes << '\n';
  } else {
    return error;
  }
  for (const auto& [reason, n] : features.Report.Skipped) out << "skipped " << reason << ' ' << n << '\n';
  for (const auto& [reason, n] : features.Report.Changed) out << "changed " << reason << ' ' << n << '\n';
  return out.str();
}

class OsmCut : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    // 9 by 7.2 km from 37.3 E, 55.5 N: a box in the middle leaves more than
    // the 2 km a cut reads around it on every side.
    WriteSyntheticExtract({60}, Extract());
  }
  static void TearDownTestSuite() { delete dir_; }
  static fs::path Extract() { return dir_->Path() / "blocks.osm.pbf"; }

  static TempDir* dir_;
};

TempDir* OsmCut::dir_ = nullptr;

TEST_F(OsmCut, KeepingTheAreasNodesOnlyMapsWhatKeepingAllDoes) {
  const fs::path town = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "town.osm";
  const struct {
    const char* what;
    fs::path file;
    GeoBox box;
    const char* shows;  // something the city or its summary holds
  } cases[] = {
      {"middle", Extract(), Box(37.36, 55.53, 37.38, 55.54), "route outside the area"},
      {"corner", Extract(), Box(37.2, 55.4, 37.31, 55.51), "skipped outside --bbox"},
      {"edge", Extract(), Box(37.3, 55.55, 37.45, 55.57), "Buildings"},
      {"strip across a block", Extract(), Box(37.3701, 55.5, 37.3705, 55.6), "line cut at the edge"},
      {"beyond the data", Extract(), Box(38, 56, 38.1, 56.1), "no map data inside --bbox"},
      {"hand-drawn town", town, Box(37.6, 55.7, 37.7, 55.8), "Streets"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string all = CityOf(ReadFeatures(c.file, c.box, UnwatchedImport(), CutLocations::All), c.box);
    EXPECT_EQ(CityOf(ReadFeatures(c.file, c.box), c.box), all);
    EXPECT_NE(all.find(c.shows), std::string::npos) << all.substr(0, 2000);
  }
}

TEST_F(OsmCut, ItsPassesReportOneStepWhoseShareOnlyGrows) {
  std::vector<std::pair<ImportStep, double>> reports;
  const ImportControl control([&](ImportStep step, double share) { reports.emplace_back(step, share); });
  ReadFeatures(Extract(), Box(37.36, 55.53, 37.38, 55.54), control);
  ASSERT_FALSE(reports.empty());
  std::vector<ImportStep> steps;
  for (size_t i = 0; i < reports.size(); ++i) {
    if (steps.empty() || steps.back() != reports[i].first)
      steps.push_back(reports[i].first);
    else
      EXPECT_GE(reports[i].second, reports[i - 1].second) << i;
  }
  EXPECT_EQ(steps, (std::vector<ImportStep>{ImportStep::ReadingRelations, ImportStep::ReadingData}));
  EXPECT_EQ(reports.front().second, 0.0);
  EXPECT_EQ(reports.back().second, 1.0);
}

}  // namespace
