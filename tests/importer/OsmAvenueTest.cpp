// import-osm on a 16 km avenue mapped as real ones are (AvenueExtract.h):
// its name shows along its whole length, however many short ways, gaps and
// bridges it has and whatever crosses it, and the streets crossing it, named
// as locals write them, get their type from the name.
#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <sstream>

#include "AvenueExtract.h"
#include "cli/CliRun.h"
#include "mapdata/GeoReference.h"
#include "mapdata/NativeName.h"
#include "support/TabFields.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

struct XY {
  double X = 0, Y = 0;
};
double Distance(XY a, XY b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

struct TextLabel {
  std::string Text;
  int Size = 0;
  XY At;
};

struct StreetRow {
  int Row = 0;
  std::string Name, Type;
  std::vector<XY> Points;
};

std::vector<XY> PointsOf(const std::string& list) {
  std::stringstream in(list);
  std::vector<XY> points;
  for (XY p; in >> p.X >> p.Y;) points.push_back(p);
  return points;
}

size_t Letters(const std::string& utf8) { return static_cast<size_t>(QString::fromStdString(utf8).size()); }

// The scale from which the viewer shows a label of the size.
double FirstScale(int size) { return size > 10 ? 0.5 : size > 8 ? 0.7 : 3.5; }

struct Box {
  double MinX, MinY, MaxX, MaxY;
  bool Overlaps(const Box& o) const { return MinX < o.MaxX && o.MinX < MaxX && MinY < o.MaxY && o.MinY < MaxY; }
};
// The text's box at `scale`: about 6 pixels a letter and 12 high.
Box TextBox(const TextLabel& l, double scale) {
  return {l.At.X, l.At.Y, l.At.X + static_cast<double>(Letters(l.Text)) * 6 / scale, l.At.Y + 12 / scale};
}

double DistanceToLine(XY p, const std::vector<XY>& line) {
  double nearest = 1e18;
  for (size_t k = 1; k < line.size(); ++k) {
    const XY a = line[k - 1], b = line[k];
    const double dx = b.X - a.X, dy = b.Y - a.Y, length2 = dx * dx + dy * dy;
    const double t = length2 == 0 ? 0 : std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2, 0.0, 1.0);
    nearest = std::min(nearest, Distance(p, {a.X + dx * t, a.Y + dy * t}));
  }
  return nearest;
}

// How far along the line (metres from its start, `along` for each point)
// its point nearest `p` lies.
double Along(const std::vector<AvenuePoint>& line, const std::vector<double>& along, XY p) {
  double best = 1e18, at = 0;
  for (size_t k = 1; k < line.size(); ++k) {
    const XY a{line[k - 1].X, line[k - 1].Y}, b{line[k].X, line[k].Y};
    const double dx = b.X - a.X, dy = b.Y - a.Y, length2 = dx * dx + dy * dy;
    const double t = length2 == 0 ? 0 : std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2, 0.0, 1.0);
    const double d = Distance(p, {a.X + dx * t, a.Y + dy * t});
    if (d < best) best = d, at = along[k - 1] + t * std::sqrt(length2);
  }
  return at;
}

class OsmAvenue : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempDir;
    const fs::path osm = root_->Path() / "avenue.osm";
    WriteAvenueExtract(osm);
    const CliResult import = RunCli({"import-osm", NativeString(osm), "--out", NativeString(root_->Path()), "--name", "Город"});
    ASSERT_EQ(import.exitCode, 0) << import.err;
    const CliResult dump = RunCli({"dump", City()});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    std::string table;
    std::stringstream lines(dump.out);
    for (std::string line; std::getline(lines, line);) {
      const std::vector<std::string> f = TabFields(line);
      if (f[0] == "table") table = f[1];
      else if (table == "ListOfTexts" && f.size() > 3) labels_.push_back({f[1], std::stoi(f[2]), PointsOf(f[3])[0]});
      else if (table == "ListOfStreets" && f.size() > 5) streets_.push_back({std::stoi(f[0]), f[1], f[2], PointsOf(f[5])});
    }
  }
  static void TearDownTestSuite() { delete root_; }

  static std::string City() { return NativeString(root_->Path() / NativePath("Город")); }

  static std::vector<const TextLabel*> LabelsReading(const std::string& text) {
    std::vector<const TextLabel*> out;
    for (const TextLabel& l : labels_)
      if (l.Text == text) out.push_back(&l);
    return out;
  }
  static std::vector<const StreetRow*> StreetsNamed(const std::string& name, const std::string& type) {
    std::vector<const StreetRow*> out;
    for (const StreetRow& s : streets_)
      if (s.Name == name && s.Type == type) out.push_back(&s);
    return out;
  }

  static TempDir* root_;
  static std::vector<TextLabel> labels_;
  static std::vector<StreetRow> streets_;
};

TempDir* OsmAvenue::root_ = nullptr;
std::vector<TextLabel> OsmAvenue::labels_;
std::vector<StreetRow> OsmAvenue::streets_;

// Along the avenue no stretch of 1.5 km lacks its name (the labels at most
// 1.5 km apart, the first and the last at most 1.5 km from its ends); each
// label is written from a point on the avenue, and no label covers another
// where the smaller first shows.
TEST_F(OsmAvenue, ALongAvenueIsNamedAlongItsWholeLength) {
  const std::vector<const TextLabel*> names = LabelsReading("проспект Абая");
  const std::vector<const StreetRow*> avenue = StreetsNamed("Абая", "проспект");
  ASSERT_FALSE(avenue.empty());
  GeoReference geo;
  std::string problem;
  ASSERT_TRUE(ParseGeoReference(ReadBytes(NativePath(City()) / "Info" / "Georef.inf"), geo, problem)) << problem;
  const std::vector<AvenuePoint> axis = AvenueCentreLine();
  std::vector<double> along{0};
  for (size_t k = 1; k < axis.size(); ++k)
    along.push_back(along.back() + Distance({axis[k - 1].X, axis[k - 1].Y}, {axis[k].X, axis[k].Y}));
  std::vector<double> named{0};  // metres along the avenue: its start, its labels, its end
  for (const TextLabel* l : names) {
    const std::optional<LatLon> at = MapToLatLon(geo, l->At.X, l->At.Y);
    ASSERT_TRUE(at);
    const AvenuePoint p = AvenueMetres(at->Latitude, at->Longitude);
    named.push_back(Along(axis, along, {p.X, p.Y}));
  }
  named.push_back(along.back());
  std::sort(named.begin(), named.end());
  for (size_t k = 1; k < named.size(); ++k)
    EXPECT_LE(named[k] - named[k - 1], 1550) << "no name from " << named[k - 1] << " m to " << named[k] << " m";
  EXPECT_LE(names.size(), 14u) << "16 km named about every 1.5 km";
  for (const TextLabel* l : names) {
    double nearest = 1e18;
    for (const StreetRow* s : avenue) nearest = std::min(nearest, DistanceToLine(l->At, s->Points));
    EXPECT_LE(nearest, 1.0) << "a label off the avenue at " << l->At.X << "," << l->At.Y;
  }
  for (const TextLabel& a : labels_)
    for (const TextLabel& b : labels_) {
      if (&a == &b || a.Size < b.Size) continue;
      const double scale = FirstScale(b.Size);
      EXPECT_FALSE(TextBox(a, scale).Overlaps(TextBox(b, scale))) << a.Text << " and " << b.Text << " at scale " << scale;
    }
}

// A type word at the start or the end, full, abbreviated or Kazakh, is the
// street's type and leaves the name, as one in full within the name does; the
// label reads type first.
TEST_F(OsmAvenue, TypeWordsAtEitherEndGiveTheTypeAndLeaveTheName) {
  struct Case {
    const char* Written;
    const char* Type;
    const char* Name;
  };
  const Case cases[] = {
      {"Богенбай Батыра ул.", "улица", "Богенбай Батыра"},
      {"Байтурсынова көшесі", "улица", "Байтурсынова"},
      {"Наурызбай батыра көш.", "улица", "Наурызбай батыра"},
      {"Төле би көшесі", "улица", "Толе би"},
      {"Сәтпаев көшесi", "улица", "Сатпаев"},
      {"ул.Шевченко", "улица", "Шевченко"},
      {"улица Набережная", "улица", "Набережная"},
      {"Фурманова улица", "улица", "Фурманова"},
      {"Назарбаева даңғылы", "проспект", "Назарбаева"},
      {"Достык дангылы", "проспект", "Достык"},
      {"пр. Сейфуллина", "проспект", "Сейфуллина"},
      {"Жандосова пр-т", "проспект", "Жандосова"},
      {"Гагарина просп.", "проспект", "Гагарина"},
      {"пер. Малый", "переулок", "Малый"},
      {"б-р Бухар Жырау", "бульвар", "Бухар Жырау"},
      {"Кульджинский ш.", "шоссе", "Кульджинский"},
      {"Весновка тұйығы", "тупик", "Весновка"},
      {"Республика алаңы", "площадь", "Республика"},
      {"Тимирязева", "улица", "Тимирязева"},
      {"Momyshuly street", "улица", "Momyshuly street"},
      {"2-й Переулок Ленина", "переулок", "2-й Ленина"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Written);
    EXPECT_FALSE(StreetsNamed(c.Name, c.Type).empty());
    const std::string label = c.Name == std::string(c.Written) ? c.Name : std::string(c.Type) + " " + c.Name;
    EXPECT_FALSE(LabelsReading(label).empty()) << label;
  }
}

// The status bar, the street search and "Что здесь?" show the type and the
// name apart, as the viewer joins them.
TEST_F(OsmAvenue, TheStatusBarAndTheSearchShowTypeAndName) {
  const StreetRow* avenue = StreetsNamed("Абая", "проспект").front();
  const fs::path png = root_->Path() / "selected.png";
  const CliResult render = RunCli({"render", City(), "-o", NativeString(png), "--select",
                                   "street:" + std::to_string(avenue->Row)});
  ASSERT_EQ(render.exitCode, 0) << render.err;
  EXPECT_NE(render.out.find("status\t1\tпроспект Абая\n"), std::string::npos) << render.out;

  for (const char* key : {"пр. абая", "абая прс", "проспект абая", "абая дангылы"}) {
    const CliResult found = RunCli({"search", City(), key});
    EXPECT_NE(found.out.find("\nАбая\tпроспект\t"), std::string::npos) << key << "\n" << found.out;
  }
  const XY at = avenue->Points[avenue->Points.size() / 2];
  const CliResult here = RunCli({"here", City(), std::to_string(std::lround(at.X)) + "," + std::to_string(std::lround(at.Y)),
                                 "--scale", "4"});
  EXPECT_NE(here.out.find("street\t" + std::to_string(avenue->Row) + "\tАбая\t"), std::string::npos) << here.out;
}

}  // namespace
