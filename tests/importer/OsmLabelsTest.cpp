// Where import-osm puts the names of streets: beside their street at every
// scale the viewer shows them at, once per street however many carriageways
// or pieces it has, again along a long street, never over one another.
#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "support/TabFields.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

struct XY {
  double X = 0, Y = 0;
};

struct TextLabel {
  std::string Text;
  int Size = 0;
  XY At;
};

struct Tables {
  std::vector<TextLabel> Labels;
  std::map<std::string, std::vector<std::vector<XY>>> Streets;  // by type and name
};

std::vector<XY> PointsOf(const std::string& list) {
  std::stringstream in(list);
  std::vector<XY> points;
  for (XY p; in >> p.X >> p.Y;) points.push_back(p);
  return points;
}

Tables Imported(const fs::path& root) {
  const fs::path osm = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "labels.osm";
  const CliResult import = RunCli({"import-osm", NativeString(osm), "--out", NativeString(root), "--name", "Город"});
  EXPECT_EQ(import.exitCode, 0) << import.err;
  const CliResult dump = RunCli({"dump", NativeString(root / NativePath("Город"))});
  EXPECT_EQ(dump.exitCode, 0) << dump.err;
  Tables t;
  std::string table;
  std::stringstream lines(dump.out);
  for (std::string line; std::getline(lines, line);) {
    const std::vector<std::string> f = TabFields(line);
    if (f[0] == "table") table = f[1];
    else if (table == "ListOfTexts" && f.size() > 3) t.Labels.push_back({f[1], std::stoi(f[2]), PointsOf(f[3])[0]});
    else if (table == "ListOfStreets" && f.size() > 5) t.Streets[f[2] + " " + f[1]].push_back(PointsOf(f[5]));  // as labelled
  }
  return t;
}

size_t Letters(const std::string& utf8) { return static_cast<size_t>(QString::fromStdString(utf8).size()); }

// The scale from which the viewer shows a label of the size.
double FirstScale(int size) { return size > 10 ? 0.5 : size > 8 ? 0.7 : 3.5; }

// The text's box at `scale` in map units, a map unit being `scale` pixels and
// the font about 6 pixels a letter and 12 high.
struct Box {
  double MinX, MinY, MaxX, MaxY;
};
Box TextBox(const TextLabel& l, double scale) {
  return {l.At.X, l.At.Y, l.At.X + static_cast<double>(Letters(l.Text)) * 6 / scale, l.At.Y + 12 / scale};
}

double DistanceToBox(XY p, const Box& b) {
  const double dx = std::max({b.MinX - p.X, 0.0, p.X - b.MaxX});
  const double dy = std::max({b.MinY - p.Y, 0.0, p.Y - b.MaxY});
  return std::hypot(dx, dy);
}

// The pixels between a label's text and the nearest line of its street.
double PixelsFromStreet(const TextLabel& l, const std::vector<std::vector<XY>>& lines, double scale) {
  const Box box = TextBox(l, scale);
  double nearest = 1e18;
  for (const std::vector<XY>& line : lines)
    for (size_t k = 1; k < line.size(); ++k)
      for (int s = 0; s <= 400; ++s) {
        const double t = s / 400.0;
        const XY p{line[k - 1].X + (line[k].X - line[k - 1].X) * t, line[k - 1].Y + (line[k].Y - line[k - 1].Y) * t};
        nearest = std::min(nearest, DistanceToBox(p, box));
      }
  return nearest * scale;
}

TEST(OsmLabels, StreetNamesSitOnTheirStreetsOnceAndClearOfEachOther) {
  TempDir root;
  const Tables t = Imported(root.Path());
  struct Case {
    const char* Street;
    size_t Labels;
  };
  // The avenue's two carriageways get one name; the close parallel streets
  // both keep theirs, moved apart; the 6 km street is named about every 1.5 km.
  for (const Case& c : {Case{"улица Горная", 1}, Case{"проспект Победы", 1}, Case{"улица Садовая", 1},
                        Case{"улица Первая", 1}, Case{"улица Вторая", 1}, Case{"улица Дальняя", 5}}) {
    SCOPED_TRACE(c.Street);
    const auto count = std::count_if(t.Labels.begin(), t.Labels.end(), [&](const TextLabel& l) { return l.Text == c.Street; });
    EXPECT_EQ(static_cast<size_t>(count), c.Labels);
  }
  for (const TextLabel& l : t.Labels) {
    SCOPED_TRACE(l.Text);
    ASSERT_TRUE(t.Streets.count(l.Text));
    for (double scale : {FirstScale(l.Size), 1.0, 2.0, 4.0})
      EXPECT_LE(PixelsFromStreet(l, t.Streets.at(l.Text), scale), 2.0) << "at scale " << scale;
  }
  // Where the smaller of two labels first shows, their texts do not meet.
  for (const TextLabel& a : t.Labels)
    for (const TextLabel& b : t.Labels) {
      if (&a == &b || a.Size < b.Size) continue;
      const double scale = FirstScale(b.Size);
      const Box p = TextBox(a, scale), q = TextBox(b, scale);
      EXPECT_FALSE(p.MinX < q.MaxX && q.MinX < p.MaxX && p.MinY < q.MaxY && q.MinY < p.MaxY)
          << a.Text << " and " << b.Text << " at scale " << scale;
    }
}

}  // namespace
