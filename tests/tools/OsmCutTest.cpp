// A city cut out of a larger file: keeping only the node locations its area
// needs must give the features (and the summary) that keeping every node's
// gives, for boxes in the middle, at a corner, along an edge and in a strip
// narrower than a block; and the cut reports its passes as one step.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "OsmRead.h"
#include "SyntheticExtract.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

GeoBox Box(double minLon, double minLat, double maxLon, double maxLat) {
  return {static_cast<int32_t>(minLon * 1e7), static_cast<int32_t>(minLat * 1e7), static_cast<int32_t>(maxLon * 1e7),
          static_cast<int32_t>(maxLat * 1e7)};
}

void Put(std::ostream& out, const std::vector<GeoPoint>& points) {
  for (GeoPoint p : points) out << ' ' << p.X << ',' << p.Y;
  out << '\n';
}

// Everything the mapping made, one line per feature, in order.
std::string Digest(const Features& f) {
  std::ostringstream out;
  for (const LineFeature& l : f.Lines) {
    out << "line " << l.Id << ' ' << l.Name;
    Put(out, l.Line.Points);
  }
  for (const BuildingFeature& b : f.Buildings) {
    out << "building " << b.Id << ' ' << b.Number;
    Put(out, b.Shape.Outer);
  }
  for (const RegionFeature& r : f.Regions) {
    out << "region " << r.Id << ' ' << r.Shape.Inners.size();
    Put(out, r.Shape.Outer);
  }
  for (const LabelFeature& l : f.Labels) out << "label " << l.Id << ' ' << l.Text << ' ' << l.At.X << '\n';
  for (const ObjectFeature& o : f.Objects) out << "object " << o.Id << ' ' << o.At.X << '\n';
  for (const FirmFeature& firm : f.Firms) out << "firm " << firm.Base << ' ' << firm.At.X << '\n';
  for (const AddressPoint& a : f.AddressPoints) out << "address " << a.Id << '\n';
  for (const RouteFeature& r : f.Routes) {
    out << "route " << r.Id << ' ' << r.MissingWays;
    for (const GeoLine& w : r.Ways) Put(out, w.Points);
  }
  for (const auto& [reason, n] : f.Report.Skipped) out << "skipped " << reason << ' ' << n << '\n';
  for (const auto& [reason, n] : f.Report.Changed) out << "changed " << reason << ' ' << n << '\n';
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
  } cases[] = {
      {"middle", Extract(), Box(37.36, 55.53, 37.38, 55.54)},
      {"corner", Extract(), Box(37.2, 55.4, 37.31, 55.51)},
      {"edge", Extract(), Box(37.3, 55.55, 37.45, 55.57)},
      {"strip across a block", Extract(), Box(37.3701, 55.5, 37.3705, 55.6)},
      {"beyond the data", Extract(), Box(38, 56, 38.1, 56.1)},
      {"hand-drawn town", town, Box(37.6, 55.7, 37.7, 55.8)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string all = Digest(ReadFeatures(c.file, c.box, UnwatchedImport(), CutLocations::All));
    EXPECT_EQ(Digest(ReadFeatures(c.file, c.box)), all);
    EXPECT_NE(all.find(c.file == town ? "line" : "outside --bbox"), std::string::npos) << all;
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
