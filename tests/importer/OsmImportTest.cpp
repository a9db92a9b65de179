// tellurin-cli import-osm on the hand-made extracts of tests/data/osm: the
// tables the viewer loads from the city written, the check, the first view,
// XML and PBF alike, bad input and the safe replacement of a city folder.
#include <QColor>
#include <QImage>
#include <gtest/gtest.h>
#include <osmium/io/any_input.hpp>
#include <osmium/io/any_output.hpp>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#endif
#include <proj.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>
#include <set>

#include "PbfFileBlocks.h"
#include "SyntheticExtract.h"
#include "cli/CliRun.h"
#include "importer/InputCheck.h"
#include "mapdata/Cp1251.h"
#include "mapdata/GeoReference.h"
#include "mapdata/NativeName.h"
#include "render/MapStyle.h"
#include "support/StyleColours.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(TELLURIN_TEST_DATA_DIR) / "osm";
const std::string kCity = "Светлоград";

using Row = std::vector<std::string>;  // caption, then the cells
using Tables = std::map<std::string, std::vector<Row>>;

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines = Split(text, '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

// The tables of `tellurin-cli dump`, each row without its index.
Tables Dump(const fs::path& cityDir) {
  const CliResult r = RunCli({"dump", NativeString(cityDir)});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "") << "the viewer's load gave a message";
  Tables tables;
  std::vector<Row>* table = nullptr;
  for (const std::string& line : Lines(r.out)) {
    const std::vector<std::string> fields = Split(line, '\t');
    if (fields[0] == "table") {
      table = &tables[fields[1]];
    } else if (table && fields[0] != "extents") {
      table->emplace_back(fields.begin() + 1, fields.end());
    }
  }
  return tables;
}

struct CityPoint {
  int X, Y;
  friend bool operator==(const CityPoint&, const CityPoint&) = default;
};

std::vector<CityPoint> Points(const std::string& list) {
  const std::vector<std::string> numbers = Split(list, ' ');
  std::vector<CityPoint> points;
  for (size_t i = 0; i + 1 < numbers.size(); i += 2) points.push_back({std::stoi(numbers[i]), std::stoi(numbers[i + 1])});
  return points;
}

const Row* Find(const std::vector<Row>& rows, const std::string& caption, size_t from = 0) {
  for (size_t i = from; i < rows.size(); ++i)
    if (rows[i][0] == caption) return &rows[i];
  return nullptr;
}

std::string FileText(const fs::path& file) { return cp1251::ToUtf8(ReadBytes(file)); }

std::map<std::string, std::string> FilesUnder(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    if (entry.is_regular_file()) files[NativeString(entry.path().lexically_relative(dir))] = ReadBytes(entry.path());
  return files;
}

// The same data written as PBF by libosmium.
void WritePbf(const fs::path& xml, const fs::path& pbf) {
  osmium::io::Reader reader{NativeString(xml)};
  osmium::io::Writer writer{NativeString(pbf), reader.header(), osmium::io::overwrite::allow};  // its bounds with it
  while (osmium::memory::Buffer buffer = reader.read()) writer(std::move(buffer));
  writer.close();
  reader.close();
}

class OsmImport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempDir;
    summary_ = new CliResult(Import(kData / "town.osm", root_->Path()));
    tables_ = new Tables(Dump(root_->Path() / NativePath(kCity)));
  }
  static void TearDownTestSuite() {
    delete tables_;
    delete summary_;
    delete root_;
  }

  static CliResult Import(const fs::path& input, const fs::path& root, std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"import-osm", NativeString(input), "--out", NativeString(root), "--name", kCity};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }

  static const std::vector<Row>& Table(const std::string& name) { return (*tables_)[name]; }
  static fs::path CityDir() { return root_->Path() / NativePath(kCity); }

  static TempDir* root_;
  static CliResult* summary_;
  static Tables* tables_;
};

TempDir* OsmImport::root_ = nullptr;
CliResult* OsmImport::summary_ = nullptr;
Tables* OsmImport::tables_ = nullptr;

TEST_F(OsmImport, PrintsWhatItWroteSkippedAndChanged) {
  ASSERT_EQ(summary_->exitCode, 0) << summary_->err;
  EXPECT_EQ(summary_->err, "");
  const std::vector<std::string> expected{
      "city\t" + CliPath(CityDir()) + "\tplain",
      "records\tStreets\t15",
      "records\tBuildings\t3",
      "records\tRegions\t12",
      "records\tTexts\t11",
      "records\tObjects\t23",
      "records\tPath\t1",
      "records\tFirms\t20",
      "records\tIcons\t21",
      "centre\tdensest buildings\t55.7501797\t37.6027932",
      "skipped\tstreet name covering another label where it shows\t1",
      "changed\tcut at 10% beyond the box of its streets, buildings and points of interest\t2",
      "changed\tfirm given the address of the building it stands in\t1",
      "changed\tfirm given the nearest street without a number\t15",
      "changed\tline cut at the edge of the area\t1",
      "changed\tline of more than 150 points (split into pieces)\t1",
      "changed\ttext with characters outside Windows-1251 (closest letters written)\t4",
  };
  EXPECT_EQ(Lines(summary_->out), expected);
  const CliResult check = RunCli({"check", NativeString(CityDir())});
  EXPECT_EQ(check.exitCode, 0) << check.out;
  EXPECT_EQ(check.out, "");
}

TEST_F(OsmImport, StreetsOfEveryTypeWithTheirWidths) {
  struct Expected {
    const char* Name;
    const char* Type;
    const char* Width;
  };
  const Expected streets[] = {
      {" ", "ГРАНИЦА", "1"},                         // the district's border, its two ways joined
      {"река Светлая", "РЕКА", "3"},                 // 12 m at 4 m a unit
      {"Курская железная дорога", "ЖД", "2"},
      {"Тихий", "переулок", "2"},                   // by the name, the word taken off: residential
      {"Ленина", "улица", "2"},                     // two ways joined, one against the other
      {"Ауезова", "улица", "2"},                    // "Ә" outside Windows-1251
      {"Варшавское", "шоссе", "4"},                 // secondary
      {"Мира", "проспект", "5"},                    // primary, its two ways joined
      {"М-4 «Дон»", "ТРАССА", "4"},                 // motorway
      {"Большой мост", "МОСТ", "3"},                // bridge:name, drawn as wide as its road
      {"Длинная", "улица", "3"},                    // tertiary, 200 nodes in two pieces
      {"Тропа", "улица", "1"},                      // a footway, as thin as the rules draw
  };
  const std::vector<Row>& rows = Table("ListOfStreets");
  for (const Expected& e : streets) {
    const Row* row = Find(rows, e.Name);
    ASSERT_NE(row, nullptr) << e.Name;
    EXPECT_EQ((*row)[1], e.Type) << e.Name;
    EXPECT_EQ((*row)[2], e.Width) << e.Name;
  }
  // Drawing order: the border first, the bridge over the river last.
  EXPECT_EQ(rows.front()[1], "ГРАНИЦА");
  EXPECT_EQ(rows.back()[1], "МОСТ");
}

TEST_F(OsmImport, ALongWayIsSplitIntoPiecesThatShareTheirJoint) {
  const std::vector<Row>& rows = Table("ListOfStreets");
  const Row* first = Find(rows, "Длинная");
  ASSERT_NE(first, nullptr);
  const Row* second = Find(rows, "Длинная", static_cast<size_t>(first - rows.data()) + 1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ((*first)[3], "150");
  EXPECT_EQ((*second)[3], "51");  // 200 points and the joint counted twice
  EXPECT_EQ(Points((*first)[4]).back(), Points((*second)[4]).front());
}

TEST_F(OsmImport, BuildingsWithAddressesAndACourtyard) {
  const std::vector<Row>& rows = Table("ListOfBuildings");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ((std::vector<std::string>{rows[0][0], rows[0][1], rows[0][2], rows[0][3]}),
            (std::vector<std::string>{"улица Ленина", "10", " ", "4"}));
  EXPECT_EQ((std::vector<std::string>{rows[2][0], rows[2][1], rows[2][2]}),
            (std::vector<std::string>{"улица Ленина", "14", "Универсам «Рассвет»"}));
  // The multipolygon with a hole: one outline of 4 outer and 4 inner corners
  // and the two steps in and out of the courtyard.
  const Row& courtyard = rows[1];
  EXPECT_EQ(courtyard[1], "12");
  EXPECT_EQ(courtyard[2], "Дом с двором");
  EXPECT_EQ(courtyard[3], "10");
  std::set<std::pair<int, int>> corners;
  for (const CityPoint& p : Points(courtyard[4])) corners.insert({p.X, p.Y});
  EXPECT_EQ(corners.size(), 8u);
}

TEST_F(OsmImport, OneRegionOfEveryKindLargestFirst) {
  const std::vector<Row>& rows = Table("ListOfRegions");
  std::set<std::string> kinds;
  for (const Row& r : rows) kinds.insert(r[0]);
  EXPECT_EQ(kinds, (std::set<std::string>{"Жилая зона", "Промышленная и хозяйственная", "В поселках жилого типа",
                                           "Рынки", "Леса, парки", "Кладбища", "Сады, виноградники",
                                           "Технические культуры", "Спортивные площадки", "Водоемы", "Площади"}));
  // The forest with a clearing is the largest and keeps its inner ring.
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0][0], "Леса, парки");
  EXPECT_EQ(rows[0][1], "10");
}

TEST_F(OsmImport, ObjectsOfEveryKindAndTheirChooser) {
  const std::vector<Row>& objects = Table("ListOfObjects");
  const std::vector<Row>& chooser = Table("ObjectComboBox");
  ASSERT_EQ(chooser.size(), 21u);  // the café, the restaurant and the supermarket have icons too
  EXPECT_EQ(chooser.back(), (Row{"Все", "-1"}));
  std::set<std::string> named;
  for (const Row& o : objects) {
    const int icon = std::stoi(o[6]);
    ASSERT_LT(icon, 20) << o[3];
    EXPECT_EQ(chooser[static_cast<size_t>(icon)][0], o[0]) << "the chooser names the kind of icon " << icon;
    named.insert(o[0]);
  }
  EXPECT_EQ(named.size(), 20u);
  // The pharmacy has no address of its own: it takes that of its house.
  const Row* pharmacy = Find(objects, "Аптеки");
  ASSERT_NE(pharmacy, nullptr);
  EXPECT_EQ((Row{(*pharmacy)[1], (*pharmacy)[2], (*pharmacy)[3]}), (Row{"улица Ленина", "10", "Аптека №1"}));
}

// Every named point of interest is a firm; those without an address of
// their own or of their house take the nearest street.
TEST_F(OsmImport, FirmsWithKeywordsAndTheirInformation) {
  const std::vector<Row>& firms = Table("ListOfFirms");
  std::set<std::string> addressed, onAStreet;
  for (const Row& f : firms) (f[2] == " " ? onAStreet : addressed).insert(f[0]);
  EXPECT_EQ(addressed, (std::set<std::string>{"Cafe ? Romer", "Аптека №1", "Банк «Северный»", "Кафе «Ромашка»",
                                               "Универсам «Рассвет»"}));
  EXPECT_EQ(onAStreet.size(), 15u);
  const Row* cafe = Find(firms, "Кафе «Ромашка»");
  ASSERT_NE(cafe, nullptr);
  EXPECT_EQ((Row{(*cafe)[1], (*cafe)[2], (*cafe)[7]}),
            (Row{"улица Ленина", "5", "кафе кофе русская кухня пицца Ромашка"}));
  EXPECT_EQ(Lines(FileText(CityDir() / "Firms" / ((*cafe)[4] + ".inf"))),
            (std::vector<std::string>{"Кафе\r", "Адрес: улица Ленина, 5\r",
                                      "Часы работы: Пн-Пт 09:00-21:00; Сб 10:00-18:00\r",
                                      "Телефон: +7 495 123-45-67\r", "Сайт: https://romashka.example\r",
                                      "Кухня: русская кухня, пицца\r"}));
  EXPECT_TRUE(fs::exists(CityDir() / "Firms" / ((*cafe)[4] + ".jpg")));
  EXPECT_EQ(Lines(FileText(CityDir() / "Kw.map")),
            (std::vector<std::string>{"аптека\r", "банк\r", "библиотека\r", "больница\r", "гостиница\r",
                                      "детский\r", "заправка\r", "кафе\r", "кинотеатр\r", "музей\r",
                                      "пожарная\r", "полиция\r", "почта\r", "ресторан\r", "рынок\r",
                                      "супермаркет\r", "торговый\r", "университет\r", "храм\r", "школа\r"}));
}

TEST_F(OsmImport, ARouteJoinsItsWaysWhicheverWayTheyRun) {
  ASSERT_EQ(Table("ListOfPath2").size(), 1u);
  EXPECT_EQ(Table("ListOfPath2")[0], (Row{"Автобус", "12", "Автобус 12: Север => Восток"}));
  const std::vector<CityPoint> route = Points(Table("ListOfPath1")[0][1]);
  const std::vector<CityPoint> mira = Points(Find(Table("ListOfStreets"), "Мира")->at(4));
  const std::vector<CityPoint> lenina = Points(Find(Table("ListOfStreets"), "Ленина")->at(4));
  ASSERT_FALSE(route.empty());
  // From the north end of the avenue down to the crossing, then east to the end.
  EXPECT_EQ(route.front(), mira.back());
  EXPECT_EQ(route.back(), lenina.back());
  EXPECT_EQ(route.size(), 5u);
}

TEST_F(OsmImport, LabelsOncePerStreetAndForPlaces) {
  std::map<std::string, std::vector<std::string>> sizes;
  for (const Row& l : Table("ListOfTexts")) sizes[l[0]].push_back(l[1]);
  EXPECT_EQ(sizes["проспект Мира"], std::vector<std::string>{"9"});
  EXPECT_EQ(sizes["улица Ленина"], std::vector<std::string>{"8"});
  EXPECT_EQ(sizes["Центральный район"], std::vector<std::string>{"12"});
  EXPECT_EQ(sizes["Парк Горького"], std::vector<std::string>{"10"});
  EXPECT_EQ(sizes["площадь Победы"], std::vector<std::string>{"10"});
}

TEST_F(OsmImport, AboutNamesTheCityAndTheLicence) {
  const std::vector<std::string> about = Lines(FileText(CityDir() / "Info" / "about.inf"));
  ASSERT_GE(about.size(), 3u);
  EXPECT_EQ(about[0], kCity + "\r");
  EXPECT_NE(std::find(about.begin(), about.end(), "© участники OpenStreetMap, ODbL\r"), about.end());
  const QImage picture(QString::fromStdString(NativeString(CityDir() / "Info" / "Picture.jpg")));
  EXPECT_EQ(picture.size(), QSize(480, 360));
}

// The first view after a load: scale 1, the middle of the data at the middle
// of the window, each region in its colour, the river blue, the streets white
// (with the object icons switched off: the market's covers its square).
TEST_F(OsmImport, TheFirstViewShowsTheMiddleOfTheCity) {
  const fs::path png = root_->Path() / "first.png";
  const CliResult r = RunCli({"render", NativeString(CityDir()), "-o", NativeString(png), "--objects", "off"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const QImage window(QString::fromStdString(NativeString(png)));
  ASSERT_EQ(window.size(), QSize(1024, 768));
  const auto pixel = [&](int x, int y) { return QColor(window.pixel(x - 500 + 512, y - 600 + 384)); };
  for (const Row& region : Table("ListOfRegions")) {
    const int colour = mapstyle::RegionColorIndex(cp1251::FromUtf8(region[0]));
    ASSERT_GE(colour, 0) << region[0] << " is a kind the map colours";
    const CityPoint corner{std::stoi(region[5]) + 2, std::stoi(region[8]) - 2};  // inside its lower left corner
    EXPECT_EQ(pixel(corner.X, corner.Y), mapstyle::RegionColor(colour)) << region[0];
  }
  // The clearing in the forest shows the background.
  const std::vector<CityPoint> forest = Points(Table("ListOfRegions")[0][2]);
  EXPECT_EQ(pixel((forest[3].X + forest[5].X) / 2, (forest[3].Y + forest[5].Y) / 2), mapstyle::BackgroundColor);
  const std::vector<CityPoint> river = Points(Find(Table("ListOfStreets"), "река Светлая")->at(4));
  EXPECT_EQ(pixel(river[0].X + 10, river[0].Y), mapstyle::RiverStreet);
  const std::vector<CityPoint> lenina = Points(Find(Table("ListOfStreets"), "Ленина")->at(4));
  EXPECT_EQ(pixel(lenina[1].X, lenina[1].Y), StreetLine());
  // The file has no bounds: the middle of the densest part of the buildings
  // (all three lie within a kilometre) is the middle of the window.
  int minX = 1 << 30, maxX = -(1 << 30), minY = 1 << 30, maxY = -(1 << 30);
  for (const Row& b : Table("ListOfBuildings")) {
    const CityPoint p = Points(b[4]).front();
    minX = std::min(minX, p.X), maxX = std::max(maxX, p.X), minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
  }
  EXPECT_NEAR((minX + maxX) / 2.0, 500, 1);
  EXPECT_NEAR((minY + maxY) / 2.0, 600, 1);
}

// The view a render drew (its last line, view<TAB>SCALE<TAB>X<TAB>Y) and the
// window pixel of a map point there, on the default 1024 x 768 screen.
struct DrawnView {
  explicit DrawnView(const std::string& out) {
    const std::vector<std::string> lines = Lines(out);
    const std::vector<std::string> f = Split(lines.empty() ? "" : lines.back(), '\t');
    if (f.size() != 4 || f[0] != "view") return;
    Scale = std::stod(f[1]);
    Centre = {std::stoi(f[2]), std::stoi(f[3])};
  }
  QPoint Pixel(CityPoint p) const {
    return {512 + static_cast<int>((p.X - Centre.X) * Scale), 384 + static_cast<int>((p.Y - Centre.Y) * Scale)};
  }
  double Scale = 0;
  CityPoint Centre{0, 0};
};

CityPoint MiddleOf(const std::string& points) {
  const std::vector<CityPoint> p = Points(points);
  int minX = p[0].X, maxX = p[0].X, minY = p[0].Y, maxY = p[0].Y;
  for (const CityPoint& q : p) minX = std::min(minX, q.X), maxX = std::max(maxX, q.X), minY = std::min(minY, q.Y), maxY = std::max(maxY, q.Y);
  return {(minX + maxX) / 2, (minY + maxY) / 2};
}

// An export of a district (tests/data/osm/district.osm, about 600 m across)
// holds every way that touches its bounds whole: a railway and a road run
// kilometres out of it.  The map is cut at a margin beyond the bounds (10%,
// at least 100 m: 25 units), and the summary says so; without a settlement in
// it the first view looks at its houses, and "Весь город" frames it.  The
// bounds of the XML and the header box of the same data as PBF alike.
TEST_F(OsmImport, AnExportIsCutAtAMarginBeyondItsBoundsAndOpensOnItsHouses) {
  TempDir other;
  const fs::path pbf = other.Path() / "district.osm.pbf";
  WritePbf(kData / "district.osm", pbf);
  const QColor park = mapstyle::RegionColor(mapstyle::RegionColorIndex(cp1251::FromUtf8("Леса, парки")));
  const QColor building(128, 128, 255);
  for (const fs::path& input : {kData / "district.osm", pbf}) {
    const std::string what = NativeString(input.filename());
    const fs::path root = other.Path() / (what + ".city");
    const CliResult r = Import(input, root);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<std::string> summary = Lines(r.out);
    for (const char* line : {"centre\tdensest buildings\t55.0025000\t37.0045000",
                             "changed\tcut at 10% beyond the file's bounds\t2", "changed\tline cut at the edge of the area\t2"})
      EXPECT_NE(std::find(summary.begin(), summary.end(), line), summary.end()) << what << ": " << line << "\n" << r.out;

    const Tables tables = Dump(root / NativePath(kCity));
    const std::vector<Row>& streets = tables.at("ListOfStreets");
    ASSERT_EQ(streets.size(), 4u) << what;
    std::vector<CityPoint> all;
    for (const Row& s : streets)
      for (const CityPoint& p : Points(s[4])) all.push_back(p);
    const auto [left, right] = std::minmax_element(all.begin(), all.end(), [](auto a, auto b) { return a.X < b.X; });
    const auto [top, bottom] = std::minmax_element(all.begin(), all.end(), [](auto a, auto b) { return a.Y < b.Y; });
    EXPECT_LE(right->X - left->X, 168) << what << ": the bounds, 139 units wide, and their margin";
    EXPECT_LE(bottom->Y - top->Y, 168) << what;
    const CityPoint parkMiddle = MiddleOf(tables.at("ListOfRegions").at(0)[2]);

    const fs::path png = root / "view.png";
    const CliResult first = RunCli({"render", NativeString(root / NativePath(kCity)), "-o", NativeString(png), "--texts", "off"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const DrawnView firstView(first.out);
    EXPECT_EQ(Lines(first.out).back(), "view\t1\t500\t600") << what;
    QImage window(QString::fromStdString(NativeString(png)));
    EXPECT_EQ(QColor(window.pixel(firstView.Pixel(parkMiddle))), park) << what;
    std::string corners;  // of the houses: their middle is the middle of the first view
    for (const Row& house : tables.at("ListOfBuildings")) corners += house[4].substr(0, house[4].find(' ', house[4].find(' ') + 1)) + " ";
    EXPECT_EQ(MiddleOf(corners), (CityPoint{500, 600})) << what;

    const CliResult whole =
        RunCli({"render", NativeString(root / NativePath(kCity)), "-o", NativeString(png), "--texts", "off", "--whole-city"});
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    // The kept area, 167 units square, at the largest step that shows it: 4.5.
    const DrawnView wholeView(whole.out);
    EXPECT_EQ(Lines(whole.out).back(), "view\t4.5\t519\t577") << what;
    window = QImage(QString::fromStdString(NativeString(png)));
    EXPECT_EQ(QColor(window.pixel(wholeView.Pixel(parkMiddle))), park) << what;
    // Each house (22 pixels square) below and left of its number.
    for (const Row& house : tables.at("ListOfBuildings"))
      EXPECT_EQ(QColor(window.pixel(wholeView.Pixel(MiddleOf(house[4])) + QPoint(-6, 6))), building)
          << what << ": house " << house[1];
  }
}

TEST_F(OsmImport, ACourtyardStaysOpenWhereTheBuildingsAreDrawn) {
  const std::vector<CityPoint> courtyard = Points(Table("ListOfBuildings")[1][4]);
  const CityPoint hole{(courtyard[3].X + courtyard[5].X) / 2, (courtyard[3].Y + courtyard[5].Y) / 2};
  const fs::path png = root_->Path() / "courtyard.png";
  const CliResult r = RunCli({"render", NativeString(CityDir()), "-o", NativeString(png), "--screen", "200x200", "--scale", "4",
                              "--center", std::to_string(hole.X) + "," + std::to_string(hole.Y), "--texts", "off"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const QImage window(QString::fromStdString(NativeString(png)));
  EXPECT_NE(QColor(window.pixel(100, 100)), BuildingFill()) << "the courtyard is open";
  EXPECT_EQ(QColor(window.pixel(100, 100 + 4 * (courtyard[0].Y - hole.Y) - 6)), BuildingFill())
      << "the wall south of it is built";
}

TEST_F(OsmImport, ScrambledGivesTheSameTablesAndPBFTheSameFiles) {
  TempDir other;
  const fs::path pbf = other.Path() / "town.osm.pbf";
  WritePbf(kData / "town.osm", pbf);
  ASSERT_EQ(Import(pbf, other.Path() / "pbf").exitCode, 0);
  EXPECT_EQ(FilesUnder(other.Path() / "pbf" / NativePath(kCity)), FilesUnder(CityDir())) << "XML and PBF give the same city";

  const CliResult r = Import(kData / "town.osm", other.Path() / "crpt", {"--scrambled", "--mask", "0x33"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Split(Lines(r.out)[0], '\t')[2], "scrambled");
  const fs::path scrambled = other.Path() / "crpt" / NativePath(kCity);
  for (const auto& entry : fs::recursive_directory_iterator(scrambled))
    EXPECT_NE(entry.path().extension(), ".txt") << entry.path();
  EXPECT_EQ(RunCli({"check", NativeString(scrambled)}).out, "");
  Tables tables = Dump(scrambled);
  for (const char* table : {"ListOfStreets", "ListOfBuildings", "ListOfObjects"})
    for (Row& row : tables[table])
      for (std::string& cell : row)
        if (cell.rfind(CliPath(scrambled), 0) == 0 && cell.ends_with(".crpt"))  // the same file, plain
          cell = CliPath(CityDir()) + cell.substr(CliPath(scrambled).size(), cell.size() - CliPath(scrambled).size() - 5) +
                 ".txt";
  EXPECT_EQ(tables, *tables_);
}

TEST_F(OsmImport, AScrambledLayerTooLongForItsFormIsWrittenPlain) {
  TempDir other;
  const fs::path pbf = other.Path() / "blocks.osm.pbf";
  WriteSyntheticExtract({20}, pbf);
  const CliResult r = Import(pbf, other.Path(), {"--scrambled"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "plain\tBuildings"), lines.end()) << r.out;
  EXPECT_TRUE(fs::exists(other.Path() / NativePath(kCity) / "Data" / "Buildings.txt"));
  EXPECT_TRUE(fs::exists(other.Path() / NativePath(kCity) / "Data" / "Path.crpt"));
  EXPECT_EQ(RunCli({"check", NativeString(other.Path() / NativePath(kCity))}).out, "");
}

TEST_F(OsmImport, BboxCutsWhatCrossesItsEdgeAndLeavesOutWhatLiesBeyond) {
  TempDir other;
  // East of the avenue, which runs along 37.6 east.
  const CliResult r = Import(kData / "town.osm", other.Path(), {"--bbox", "37.6,55.7,37.7,55.8"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  EXPECT_NE(std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("skipped\toutside --bbox\t", 0) == 0; }),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "changed\tline cut at the edge of the area\t3"), lines.end()) << r.out;
  const Tables tables = Dump(other.Path() / NativePath(kCity));
  const std::vector<Row>& streets = tables.at("ListOfStreets");
  EXPECT_EQ(Find(streets, "Варшавское"), nullptr);
  const int avenue = Points(Find(streets, "Мира")->at(4)).front().X;
  EXPECT_EQ(std::stoi(Find(streets, "река Светлая")->at(8)), avenue) << "the river begins at the edge";
  for (const Row& s : streets) EXPECT_GE(std::stoi(s[8]), avenue) << s[0];
}

TEST_F(OsmImport, BrokenGeometryIsSkippedAndCountedByReason) {
  TempDir other;
  const CliResult r = Import(kData / "broken.osm", other.Path());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> expected{
      "city\t" + CliPath(other.Path() / NativePath(kCity)) + "\tplain",
      "records\tStreets\t2",
      "records\tBuildings\t0",
      "records\tRegions\t0",
      "records\tTexts\t1",
      "records\tObjects\t1",
      "records\tPath\t0",
      "records\tFirms\t1",
      "records\tIcons\t2",
      "centre\tmiddle of the area\t55.7497754\t37.6023942",
      "skipped\tarea rejected by the assembler: self-intersecting outline\t1",
      "skipped\tarea whose outline is not closed\t1",
      "skipped\tmultipolygon with member ways missing from the extract\t1",
      "skipped\tway with missing nodes\t2",
      "changed\tfirm given the nearest street without a number\t1",
  };
  EXPECT_EQ(Lines(r.out), expected);
}

TEST_F(OsmImport, BadCallsAndBadInputsAreRefusedWithTheirReason) {
  TempDir other;
  const fs::path text = other.Path() / "notes.txt";
  WriteBytes(text, "text");
  const fs::path html = other.Path() / "page.osm";
  WriteBytes(html, "<?xml version=\"1.0\"?>\n<html><body/></html>\n");
  const fs::path empty = other.Path() / "empty.osm";
  WriteBytes(empty, "<osm version=\"0.6\"/>\n");
  const fs::path notOsm = kData / "not-osm.osm";
  struct Case {
    std::vector<std::string> Args;
    int Exit;
    std::string Says;
  };
  const std::string out = NativeString(other.Path() / "Base");
  const std::string town = NativeString(kData / "town.osm");
  const Case cases[] = {
      {{NativeString(notOsm), "--out", out, "--name", "X"}, 1, NativeString(notOsm) + ": not OpenStreetMap data: XML parsing error"},
      {{NativeString(html), "--out", out, "--name", "X"}, 1, NativeString(html) + ": not OpenStreetMap data: Unknown top-level element: html"},
      {{NativeString(empty), "--out", out, "--name", "X"}, 1, NativeString(empty) + ": no map data in the file"},
      {{NativeString(other.Path() / "none.osm"), "--out", out, "--name", "X"}, 1, "none.osm: cannot be read"},
      {{NativeString(text), "--out", out, "--name", "X"}, 2, "not an OpenStreetMap file name"},
      {{town, "--out", out}, 2, "no --name CITY"},
      {{town, "--out", "", "--name", "X"}, 2, "--out wants a folder"},
      {{town, "--out", out, "--name", "a/b"}, 2, "is not a folder name for a city"},
      {{town, "--out", out, "--name", ".hidden"}, 2, "is not a folder name for a city"},
      {{town, "--out", out, "--name", "X", "--unit", "0"}, 2, "--unit must lie between"},
      {{town, "--out", out, "--name", "X", "--unit", "many"}, 2, "--unit wants a number"},
      {{town, "--out", out, "--name", "X", "--mask", "0x33"}, 2, "--mask goes with --scrambled"},
      {{town, "--out", out, "--name", "X", "--scrambled", "--mask", "0x100"}, 2, "--mask wants a byte"},
      {{town, "--out", out, "--name", "X", "--bbox", "37.7,55.7,37.6,55.8"}, 2, "--bbox wants"},
      {{town, "--out", out, "--name", "X", "--bbox", "1,2,3"}, 2, "--bbox wants"},
      {{town, "--out", out, "--name", "X", "--colour", "red"}, 2, "unknown option --colour"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"import-osm"};
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, c.Exit) << c.Says << "\n" << r.err;
    EXPECT_NE(r.err.find(c.Says), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(other.Path() / "Base" / "X"));
  const CliResult help = RunCli({"import-osm", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--bbox"), std::string::npos);
}

// Extracts kept as users keep them, under Cyrillic names (on Windows the name
// does not fit the ANSI code page libosmium would open it by): the same city.
TEST_F(OsmImport, AnExtractUnderACyrillicNameGivesTheSameCity) {
  TempDir other;
  const fs::path copy = other.Path() / NativePath("Карты") / NativePath("Город.osm");
  fs::create_directories(copy.parent_path());
  fs::copy_file(kData / "town.osm", copy);
  const CliResult r = Import(copy, other.Path());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto afterCity = [](const std::string& out) { return out.substr(out.find('\n')); };  // the counts
  EXPECT_EQ(afterCity(r.out), afterCity(summary_->out));
  EXPECT_TRUE(fs::exists(other.Path() / NativePath(kCity) / "Info" / "about.inf"));
}

// Without --out the city goes to the user's own data root, which the viewer lists.
TEST_F(OsmImport, WithoutOutTheCityGoesToTheUsersDataRoot) {
#ifdef _WIN32
  GTEST_SKIP() << "the data root is moved here through XDG_DATA_HOME, which Windows has not";
#endif
  TempDir home;
  const CliResult r = RunCli({"import-osm", NativeString(kData / "town.osm"), "--name", kCity},
                             {"env", "XDG_DATA_HOME=" + NativeString(home.Path())});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const fs::path city = home.Path() / "Tellurin" / "Tellurin" / "Base" / NativePath(kCity);
  EXPECT_NE(r.out.find("city\t" + CliPath(city) + "\tplain"), std::string::npos) << r.out;
  EXPECT_TRUE(fs::exists(city / "Info" / "about.inf"));
}

TEST_F(OsmImport, ACityIsReplacedOnlyWhenAskedAndOnlyByACompleteOne) {
  TempDir other;
  const fs::path city = other.Path() / NativePath(kCity);
  WriteBytes(city / "mine.txt", "kept");
  const auto entries = [&] {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(other.Path())) names.insert(NativeString(e.path().filename()));
    return names;
  };
  CliResult r = Import(kData / "town.osm", other.Path());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("already exists (--replace replaces it)"), std::string::npos) << r.err;
  r = Import(kData / "not-osm.osm", other.Path(), {"--replace"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(ReadBytes(city / "mine.txt"), "kept") << "a failed import leaves the city alone";
  EXPECT_EQ(entries(), std::set<std::string>{kCity}) << "and no half city beside it";
  r = Import(kData / "town.osm", other.Path(), {"--replace"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_FALSE(fs::exists(city / "mine.txt"));
  EXPECT_TRUE(fs::exists(city / "Info" / "about.inf"));
  EXPECT_EQ(entries(), std::set<std::string>{kCity});
}

std::set<std::string> EntriesOf(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(NativeString(e.path().filename()));
  return names;
}

// An import killed at any step of the replacement leaves a whole city under
// the name, the old or the new, and the next import clears what it left,
// taking over the lock of the dead one.
TEST_F(OsmImport, AReplacementStoppedAtAnyStepLeavesAWholeCityAndTheNextClearsUp) {
  struct Case {
    std::string Stop;
    bool NewCityInPlace;
  };
  for (const Case& c : {Case{"before-swap", false}, Case{"after-swap", true}}) {
    TempDir other;
    const fs::path city = other.Path() / NativePath(kCity);
    WriteBytes(city / "mine.txt", "kept");
    WriteBytes(city / "Info" / "about.inf", "old");
    qputenv("TELLURIN_IMPORT_TEST_STOP", QByteArray::fromStdString(c.Stop));  // the program inherits it
    const CliResult stopped = RunCli({"import-osm", NativeString(kData / "town.osm"), "--out", NativeString(other.Path()),
                                      "--name", kCity, "--replace"});
    qunsetenv("TELLURIN_IMPORT_TEST_STOP");
    EXPECT_EQ(stopped.exitCode, 75) << c.Stop << stopped.err;
    EXPECT_EQ(fs::exists(city / "mine.txt"), !c.NewCityInPlace) << c.Stop;
    EXPECT_NE(ReadBytes(city / "Info" / "about.inf"), c.NewCityInPlace ? "old" : "") << c.Stop;
    const std::set<std::string> left = EntriesOf(other.Path());
    EXPECT_EQ(left.size(), 3u) << c.Stop << ": the other copy is left beside it";
    EXPECT_EQ(left.count("." + kCity + ".import.lock"), 1u) << c.Stop << ": and the lock of the killed import";

    const CliResult next = Import(kData / "town.osm", other.Path(), {"--replace"});
    EXPECT_EQ(next.exitCode, 0) << c.Stop << next.err;
    EXPECT_EQ(EntriesOf(other.Path()), std::set<std::string>{kCity}) << c.Stop;
  }
}

// A link to a folder; Windows gives the right to make one to administrators
// only, and the case then has a plain leftover in its place.
void MakeLinkIfAllowed(const fs::path& target, const fs::path& link) {
  std::error_code ec;
  fs::create_directory_symlink(target, link, ec);
  if (ec) WriteBytes(link / NativePath(kCity) / "Info" / "about.inf", "left");
}

// Leftovers of this city's interrupted imports go, links among them without
// being followed; other hidden folders stay.
TEST_F(OsmImport, AnImportRemovesOnlyTheLeftoversOfItsOwnCity) {
  TempDir other, outside;
  WriteBytes(outside.Path() / "precious.txt", "kept");
  const fs::path root = other.Path();
  struct Case {
    std::string Name;
    bool Removed;
  };
  const Case cases[] = {
      {"." + kCity + ".import-a1B2c3", true},
      {"." + kCity + ".old-Z9y8X7", true},
      {"." + kCity + ".old-link00", true},  // a link to a folder elsewhere
      {"." + kCity + ".import-toolong1", false},
      {".Другой.import-a1B2c3", false},
      {".config", false},
  };
  for (const Case& c : cases) {
    if (c.Name.ends_with("link00"))
      MakeLinkIfAllowed(outside.Path(), root / NativePath(c.Name));
    else
      WriteBytes(root / NativePath(c.Name) / NativePath(kCity) / "Info" / "about.inf", "left");
  }
  const CliResult r = Import(kData / "town.osm", root);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::set<std::string> entries = EntriesOf(root);
  for (const Case& c : cases) EXPECT_EQ(entries.count(c.Name), c.Removed ? 0u : 1u) << c.Name;
  EXPECT_EQ(ReadBytes(outside.Path() / "precious.txt"), "kept");
}

// Folders and files get the modes of the umask, not 0700.
TEST_F(OsmImport, TheCityHasTheModesOfTheUmask) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no umask";
#endif
  struct Case {
    std::string Umask;
    fs::perms Folder, File;
  };
  using P = fs::perms;
  const Case cases[] = {
      {"022", P::owner_all | P::group_read | P::group_exec | P::others_read | P::others_exec,
       P::owner_read | P::owner_write | P::group_read | P::others_read},
      {"027", P::owner_all | P::group_read | P::group_exec, P::owner_read | P::owner_write | P::group_read},
  };
  for (const Case& c : cases) {
    TempDir other;
    const CliResult r =
        RunCli({"import-osm", NativeString(kData / "town.osm"), "--out", NativeString(other.Path()), "--name", kCity},
               {"sh", "-c", "umask " + c.Umask + " && exec \"$@\"", "sh"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const fs::path city = other.Path() / NativePath(kCity);
    EXPECT_EQ(fs::status(city).permissions(), c.Folder) << c.Umask;
    size_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(city)) {
      const bool folder = e.is_directory();
      files += folder ? 0 : 1;
      EXPECT_EQ(e.status().permissions(), folder ? c.Folder : c.File) << c.Umask << " " << e.path();
    }
    EXPECT_GT(files, 10u);
  }
}

// libosmium takes a file that ends in a block's length for a whole one, and
// imports the blocks before it as the city.
TEST_F(OsmImport, APbfCutShortOrWithBytesAfterItsLastBlockIsRefused) {
  TempDir other;
  const fs::path whole = other.Path() / "whole.osm.pbf";
  WriteSyntheticExtract({20}, whole);
  const std::string bytes = ReadBytes(whole);
  const std::vector<size_t> ends = PbfBlockEnds(bytes);
  ASSERT_GE(ends.size(), 3u) << "a header and at least two blocks of data";
  ASSERT_EQ(ends.back(), bytes.size());
  struct Case {
    std::string What;
    std::string Bytes;
    std::string Says;
  };
  const std::string third = "блок 3 (с байта " + std::to_string(ends[1]) + "): файл обрывается";
  const Case cases[] = {
      {"two bytes past a block", bytes.substr(0, ends[1] + 2), third + ": нет полной длины заголовка блока"},
      {"in a block's header", bytes.substr(0, ends[1] + 6), third + ": заголовок блока длиной"},
      {"in a block's data", bytes.substr(0, (ends[1] + ends[2]) / 2), third + ": данные блока длиной"},
      {"bytes after the last block", bytes + "\x01\x02", "файл обрывается: нет полной длины заголовка блока"},
  };
  for (const Case& c : cases) {
    const fs::path cut = other.Path() / "cut.osm.pbf";
    WriteBytes(cut, c.Bytes);
    const fs::path root = other.Path() / ("Base " + c.What);
    const CliResult r = Import(cut, root);
    EXPECT_EQ(r.exitCode, 1) << c.What << r.out;
    EXPECT_NE(r.err.find(NativeString(cut) + ": "), std::string::npos) << c.What << r.err;
    EXPECT_NE(r.err.find(c.Says), std::string::npos) << c.What << r.err;
    EXPECT_FALSE(fs::exists(root)) << c.What << ": nothing is written";
  }
  EXPECT_EQ(Import(whole, other.Path() / "Base").exitCode, 0);
}

// The file compressed as its name says, by libosmium's compressors.
void WriteCompressed(const fs::path& file, const std::string& text) {
  const osmium::io::File kind{NativeString(file)};
#ifdef _WIN32
  const int fd = ::_wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
#endif
  ASSERT_GE(fd, 0);
  const std::unique_ptr<osmium::io::Compressor> out =
      osmium::io::CompressionFactory::instance().create_compressor(kind.compression(), fd, osmium::io::fsync::no);
  out->write(text);
  out->close();
}

// One street, and in node 7 what the case puts there.
std::string StreetWith(const std::string& inNode) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\">\n"
         " <node id=\"7\" lat=\"55.75\" lon=\"37.60\">" + inNode + "</node>\n"
         " <node id=\"8\" lat=\"55.75\" lon=\"37.61\"/>\n"
         " <way id=\"9\"><nd ref=\"7\"/><nd ref=\"8\"/><tag k=\"highway\" v=\"residential\"/>"
         "<tag k=\"name\" v=\"улица Мира\"/></way>\n</osm>\n";
}

// The XML parser's time grows with the square of a token's length: a tag, a
// comment or a run of text over the limit is refused as soon as it is read.
TEST_F(OsmImport, AnOverlongTagCommentOrTextIsRefusedPlainOrCompressed) {
  const std::string over(kMaxXmlTokenBytes + 1, 'a');
  const std::string within(kMaxXmlTokenBytes - 100, 'a');
  struct Case {
    std::string File;
    std::string InNode;
    std::string Says;  // "" when imported
  };
  const std::string tagSays = "строка 3, запись node 7: тег <tag> длиннее 65536 байт";
  const Case cases[] = {
      {"long.osm", "<tag k=\"note\" v=\"" + over + "\"/>", tagSays},
      {"long.osm.gz", "<tag k=\"note\" v=\"" + over + "\"/>", tagSays},
      {"long.osm.bz2", "<tag k=\"note\" v=\"" + over + "\"/>", tagSays},
      {"name.osm.gz", "<tag k=\"" + over + "\" v=\"x\"/>", tagSays},
      {"text.osm.bz2", over, "строка 3, запись node 7: текст длиннее 65536 байт"},
      {"comment.osm", "<!--" + over + "-->", "строка 3, запись node 7: комментарий длиннее 65536 байт"},
      {"quoted.osm", "<tag k=\"note\" v=\"a>'" + over + "\"/>", tagSays},
      {"within.osm.gz", "<tag k=\"note\" v=\"" + std::string(255, 'a') + "\"/><!--" + within + "-->" + within, ""},
  };
  for (const Case& c : cases) {
    TempDir other;
    const fs::path input = other.Path() / c.File;
    WriteCompressed(input, StreetWith(c.InNode));
    const fs::path root = other.Path() / "Base";
    const CliResult r = Import(input, root);
    if (c.Says.empty()) {
      EXPECT_EQ(r.exitCode, 0) << c.File << r.err;
      continue;
    }
    EXPECT_EQ(r.exitCode, 1) << c.File << r.out;
    EXPECT_NE(r.err.find(NativeString(input) + ": " + c.Says), std::string::npos) << c.File << r.err;
    EXPECT_FALSE(fs::exists(root)) << c.File << ": nothing is written";
  }
  const CliResult help = RunCli({"import-osm", "--help"});
  EXPECT_NE(help.out.find("longer than " + std::to_string(kMaxXmlTokenBytes) + " bytes"), std::string::npos);
}

// The city is what lies around the middle of the data: a town across the
// 180th meridian stays one piece, what lies far out or off the globe is left
// out and named, and the rest imports; a coordinate libosmium would overflow
// on is refused.
TEST_F(OsmImport, WhatLiesOffTheGlobeOrFarOutIsLeftOutAndATownAcrossTheMeridianStaysWhole) {
  struct Case {
    std::string File;
    std::vector<std::string> Skipped;  // the summary's lines of what it left out
    std::set<std::string> Streets;
    int MinWidth, MaxWidth;  // of the streets, in map units of 100 m
    std::string Says = "";   // the refusal, or "" when imported
  };
  const std::string distant = "far from the rest of the data", off = "coordinates outside the valid range";
  const Case cases[] = {
      // 177.5 E to 178 W at 64.7 N: 214 km.
      {"antimeridian.osm", {}, {"Береговая", "Западная", "Восточная"}, 2100, 2200},
      {"far.osm",
       // At 100 m a unit the town is smaller than a name where names show.
       {"skipped\t" + distant + "\t2", "skipped-ids\t" + distant + "\tw201 n23",
        "skipped\tstreet name covering another label where it shows\t1"},
       {"Мира", "Ленина", "Садовая"}, 5, 8},
      {"poles.osm",
       {"skipped\t" + off + "\t3", "skipped-ids\t" + off + "\tn17 w113 w114", "skipped\t" + distant + "\t3",
        "skipped-ids\t" + distant + "\tw111 w112 w115"},
       {"Мира", "Ленина"}, 5, 8},
      {"huge-coordinate.osm", {}, {}, 0, 0, "строка 6, запись node 17: координата lat=\"1e300\" не читается"},
  };
  for (const Case& c : cases) {
    TempDir other;
    const CliResult r = Import(kData / c.File, other.Path(), {"--unit", "100"});
    if (!c.Says.empty()) {
      EXPECT_EQ(r.exitCode, 1) << c.File << r.out;
      EXPECT_NE(r.err.find(NativeString(kData / c.File) + ": " + c.Says), std::string::npos) << c.File << r.err;
      EXPECT_FALSE(fs::exists(other.Path() / NativePath(kCity))) << c.File;
      continue;
    }
    ASSERT_EQ(r.exitCode, 0) << c.File << r.err;
    std::vector<std::string> skipped;
    for (const std::string& line : Lines(r.out))
      if (line.starts_with("skipped")) skipped.push_back(line);
    EXPECT_EQ(skipped, c.Skipped) << c.File;
    const Tables tables = Dump(other.Path() / NativePath(kCity));
    std::set<std::string> streets;
    int minX = INT_MAX, maxX = INT_MIN;
    for (const Row& street : tables.at("ListOfStreets")) {
      streets.insert(street[0]);
      for (const CityPoint& p : Points(street[4])) {
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
      }
    }
    EXPECT_EQ(streets, c.Streets) << c.File;
    EXPECT_GE(maxX - minX, c.MinWidth) << c.File;
    EXPECT_LE(maxX - minX, c.MaxWidth) << c.File;
  }
}

TEST_F(OsmImport, AnUnwritableDataRootFailsWithoutLeavingAnything) {
  TempDir other;
  WriteBytes(other.Path() / "file", "a file, not a folder");
  const CliResult r = Import(kData / "town.osm", other.Path() / "file" / "Base");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("cannot be made"), std::string::npos) << r.err;
}


// tests/data/osm/extract.osm: a corner of a town shaped like a real export,
// with what a hand-drawn test town lacks (unnamed carriageways and
// roundabouts, shops tagged in the wild, address nodes, relations missing
// members or tags).
class OsmExtract : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempDir;
    const std::vector<std::string> args{"import-osm", NativeString(kData / "extract.osm"), "--out",
                                        NativeString(root_->Path()), "--name", kCity};
    summary_ = new CliResult(RunCli(args));
    tables_ = new Tables(Dump(root_->Path() / NativePath(kCity)));
  }
  static void TearDownTestSuite() {
    delete tables_;
    delete summary_;
    delete root_;
  }
  static const std::vector<Row>& Table(const std::string& name) { return (*tables_)[name]; }
  static std::string City() { return NativeString(root_->Path() / NativePath(kCity)); }
  static bool Summarised(const std::string& line) {
    const std::vector<std::string> lines = Lines(summary_->out);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  // The rows `tellurin-cli search` finds for a key, address and kind each.
  static std::vector<Row> Search(const std::string& key) {
    const CliResult r = RunCli({"search", City(), key});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::vector<Row> rows;
    for (const std::string& line : Lines(r.out))
      if (line.rfind("count\t", 0) != 0) rows.push_back(Split(line, '\t'));
    return rows;
  }

  static TempDir* root_;
  static CliResult* summary_;
  static Tables* tables_;
};

TempDir* OsmExtract::root_ = nullptr;
CliResult* OsmExtract::summary_ = nullptr;
Tables* OsmExtract::tables_ = nullptr;

// Roads are whole: the unnamed link between the carriageways, the
// roundabout, residential and service roads, footways and the bridge are
// drawn (the bridge over the river), yet give no label and no blank row in the
// street search; a road only planned is counted as left out.
TEST_F(OsmExtract, UnnamedRoadsAreDrawnButNeitherLabelledNorListed) {
  ASSERT_EQ(summary_->exitCode, 0) << summary_->err;
  struct Expected {
    const char* Type;
    const char* Width;
    const char* What;
  };
  const Expected unnamed[] = {
      {"улица", "3", "the link between the carriageways"},
      {"улица", "5", "the roundabout, a primary road"},
      {"улица", "2", "the residential street"},
      {"улица", "1", "the service road and the footway"},
      {"МОСТ", "2", "the bridge, as wide as its tertiary road is drawn"},
  };
  const std::vector<Row>& streets = Table("ListOfStreets");
  for (const Expected& e : unnamed) {
    const bool found = std::any_of(streets.begin(), streets.end(),
                                   [&](const Row& r) { return r[0] == " " && r[1] == e.Type && r[2] == e.Width; });
    EXPECT_TRUE(found) << e.What;
  }
  ASSERT_FALSE(streets.empty());
  EXPECT_EQ(streets.back()[1], "МОСТ") << "the bridge is drawn over the river";
  for (const Row& label : Table("ListOfTexts")) EXPECT_NE(label[0], " ");
  for (const char* key : {"улица", "мост", " "})
    for (const Row& found : Search(key)) EXPECT_NE(found[0], "") << key;
  EXPECT_EQ(Search("проспект").size(), 2u);
  EXPECT_TRUE(Summarised("skipped\thighway of a kind not drawn (platform, proposed, ...)\t1")) << summary_->out;
  EXPECT_FALSE(Summarised("skipped\tstreet without a name\t1"));
}


// Points of interest are on the map: cafés, shops, car services, fitness and
// the other common kinds are objects with icons of their own and stay firms;
// the chooser lists the kinds the city has and no other, a vacant shop none.
TEST_F(OsmExtract, BusinessesAreObjectsOfTheirOwnKindAndTheChooserListsOnlyThose) {
  struct Expected {
    const char* Name;
    const char* Kind;
  };
  const Expected objects[] = {
      {"Кофейня «Зерно»", "Кафе и рестораны"},      {"Семёрочка", "Продукты и супермаркеты"},
      {"Нефтьойл", "Заправки"},                    {"Всё для дома", "Магазины"},
      {"Пункт «Посылка»", "Бытовые услуги"},       {"Мастер Каблук", "Бытовые услуги"},
      {"Шарики", "Магазины"},                      {"Атлет", "Спорт и фитнес"},
      {"Автомастер", "Автосервисы"},
  };
  const std::vector<Row>& rows = Table("ListOfObjects");
  const std::vector<Row>& chooser = Table("ObjectComboBox");
  for (const Expected& e : objects) {
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return r[3] == e.Name; });
    ASSERT_NE(row, rows.end()) << e.Name;
    EXPECT_EQ((*row)[0], e.Kind) << e.Name;
    const size_t icon = static_cast<size_t>(std::stoi((*row)[6]));
    ASSERT_LT(icon, chooser.size()) << e.Name;
    EXPECT_EQ(chooser[icon][0], e.Kind) << "the icon of " << e.Name;
    EXPECT_NE(Find(Table("ListOfFirms"), e.Name), nullptr) << e.Name << " stays a firm";
  }
  EXPECT_EQ(rows.size(), std::size(objects)) << "a vacant shop is no object";
  std::set<std::string> listed;
  for (const Row& c : chooser) listed.insert(c[0]);
  EXPECT_EQ(listed, (std::set<std::string>{"Кафе и рестораны", "Продукты и супермаркеты", "Заправки", "Магазины",
                                            "Бытовые услуги", "Спорт и фитнес", "Автосервисы", "Все"}));
  EXPECT_EQ(chooser.back(), (Row{"Все", "-1"}));
  EXPECT_EQ(Lines(summary_->out)[8], "records\tIcons\t8");
}


// Nothing is lost silently: the address node inside a footprint without one
// gives it its address, an address node and a building node with no
// footprint become small buildings, and each address can be searched; a car
// park is a square; the summary counts what was done.
TEST_F(OsmExtract, AddressNodesAndParkingAreKept) {
  struct Expected {
    const char* Number;
    bool Small;  // a square drawn for a point, a few units wide
    const char* What;
  };
  const Expected houses[] = {
      {"4", false, "the address node inside the footprint"},
      {"8к1", true, "the address node with no footprint"},
      {"10", true, "the building node"},
  };
  const std::vector<Row>& buildings = Table("ListOfBuildings");
  const std::vector<Row> found = Search("Садовая");
  for (const Expected& e : houses) {
    const auto row = std::find_if(buildings.begin(), buildings.end(),
                                  [&](const Row& r) { return r[0] == "Садовая улица" && r[1] == e.Number; });
    ASSERT_NE(row, buildings.end()) << e.What;
    const std::vector<CityPoint> outline = Points((*row)[4]);
    ASSERT_EQ(outline.size(), 4u) << e.What;
    const int width = outline[1].X - outline[0].X;
    EXPECT_EQ(width > 2 && width < 6, e.Small) << e.What << ": " << width;
    const std::string address = std::string("Садовая улица ") + e.Number;
    EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const Row& r) { return r[0] == address; })) << e.What;
  }
  EXPECT_EQ(buildings.size(), std::size(houses));
  ASSERT_EQ(Table("ListOfRegions").size(), 1u);
  EXPECT_EQ(Table("ListOfRegions")[0][0], "Площади") << "the car park";
  EXPECT_TRUE(Summarised("changed\taddress node given to the building around it\t1")) << summary_->out;
  EXPECT_TRUE(Summarised("changed\taddress or building node drawn as a small building\t2")) << summary_->out;
}


// Keywords read as Russian: no "yes", a brand once however often the tags
// repeat it, the common values of shop, craft, cuisine and service
// translated; a firm search for "выдачи" finds the pickup point.
TEST_F(OsmExtract, FirmKeywordsAreRussianWordsEachOnce) {
  struct Expected {
    const char* Name;
    const char* Keywords;
  };
  const Expected firms[] = {
      {"Всё для дома", "магазин"},                              // shop=yes
      {"Нефтьойл", "заправка АЗС бензин Нефтьойл"},             // brand and brand:ru
      {"Пункт «Посылка»", "пункт выдачи заказов"},              // shop=outpost
      {"Шарики", "товары для праздника"},                       // shop=party
      {"Мастер Каблук", "ремонт обуви"},                        // craft=shoe_repair
      {"Кофейня «Зерно»", "кафе кофе кофейня пицца"},           // cuisine=coffee_shop;pizza
      {"Автомастер", "автосервис шиномонтаж"},                  // service=tyres
  };
  for (const Expected& e : firms) {
    const Row* firm = Find(Table("ListOfFirms"), e.Name);
    ASSERT_NE(firm, nullptr) << e.Name;
    EXPECT_EQ((*firm)[7], e.Keywords) << e.Name;
  }
  const CliResult found = RunCli({"firms", City(), "выдачи"});
  EXPECT_EQ(found.exitCode, 0) << found.err;
  EXPECT_NE(found.out.find("Пункт «Посылка»"), std::string::npos) << found.out;
}


// Relations the mappers left incomplete: a route without route=* is taken as
// public transport by its stop members and typed by its name (a footpath
// route is counted as left out); a district
// whose outline runs on beyond the extract is labelled at its label node, or
// amid the ways the extract has.
TEST_F(OsmExtract, RelationsMissingTagsOrMembersAreStillRead) {
  struct Expected {
    const char* Name;
    const char* Size;
    int X;  // where the name is centred, in map units
  };
  const Expected places[] = {{"Заречье", "12", 525}, {"Посёлок Южный", "10", 685}};
  for (const Expected& e : places) {
    const Row* label = Find(Table("ListOfTexts"), e.Name);
    ASSERT_NE(label, nullptr) << e.Name;
    EXPECT_EQ((*label)[1], e.Size) << e.Name;
    const int x = Points((*label)[2]).front().X;
    EXPECT_LT(x, e.X) << e.Name;
    EXPECT_GT(x, e.X - 40) << e.Name;
  }
  EXPECT_TRUE(Summarised("changed\tplace with members missing labelled at what the extract has\t2")) << summary_->out;
  ASSERT_EQ(Table("ListOfPath2").size(), 1u);
  EXPECT_EQ(Table("ListOfPath2")[0], (Row{"Автобус", "7", "Автобус 7: Кольцо"}));
  EXPECT_EQ(Points(Table("ListOfPath1")[0][1]).size(), 4u) << "both carriageways and the link";
  EXPECT_TRUE(Summarised("changed\troute without route=* taken by its stops\t1")) << summary_->out;
  EXPECT_TRUE(Summarised("skipped\troute of a kind not imported (hiking, bicycle, road, ...)\t1")) << summary_->out;
}

}  // namespace

namespace {

// Metres between two nearby locations (longitudes compared across the 180th
// meridian), near enough for a check of a few metres.
double MetresBetween(LatLon a, LatLon b) {
  constexpr double kMetresPerDegree = 111'320;
  const double north = (a.Latitude - b.Latitude) * kMetresPerDegree;
  const double east = std::remainder(a.Longitude - b.Longitude, 360.0) * kMetresPerDegree *
                      std::cos(a.Latitude * std::numbers::pi / 180);
  return std::hypot(north, east);
}

GeoReference CityGeoReference(const fs::path& cityDir) {
  GeoReference geo;
  std::string problem;
  EXPECT_TRUE(ParseGeoReference(ReadBytes(cityDir / "Info" / "Georef.inf"), geo, problem)) << problem;
  return geo;
}

}  // namespace

// The city's georeference gives back where a node of the data is: the map
// point the node became turns into the node's latitude and longitude through
// the file as the core reads it and through `tellurin-cli here`, within half
// the diagonal of a map unit (the rounding to whole units); across the 180th
// meridian too.
TEST_F(OsmImport, TheGeoreferenceGivesBackTheLocationOfANode) {
  struct Case {
    std::string File, Unit;
    std::string Table, Name;  // a record the node is a point of: its caption or its name
    LatLon Node;
  };
  const Case cases[] = {
      {"town.osm", "4", "ListOfObjects", "Банк «Северный»", {55.7419152, 37.5960097}},
      {"town.osm", "4", "ListOfStreets", "Ленина", {55.7500000, 37.6000000}},
      {"antimeridian.osm", "100", "ListOfStreets", "Восточная", {64.6900, -179.99}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.File + " " + c.Name);
    TempDir other;
    const bool suite = c.Unit == "4";  // the suite's own import of town.osm
    if (!suite) ASSERT_EQ(Import(kData / c.File, other.Path(), {"--unit", c.Unit}).exitCode, 0);
    const fs::path cityDir = suite ? CityDir() : other.Path() / NativePath(kCity);
    const Tables tables = suite ? *tables_ : Dump(cityDir);
    const GeoReference geo = CityGeoReference(cityDir);
    EXPECT_EQ(geo.Unit, std::stod(c.Unit));
    const double tolerance = geo.Unit * std::sqrt(0.5) + 0.01;
    // The record's point nearest the node is where the node went.
    std::optional<CityPoint> nearest;
    double best = 1e300;
    for (const Row& row : tables.at(c.Table))
      if (row[0] == c.Name || row[3] == c.Name)
        for (const CityPoint& p : Points(row[4]))
          if (const std::optional<LatLon> at = MapToLatLon(geo, p.X, p.Y); at && MetresBetween(*at, c.Node) < best) {
            best = MetresBetween(*at, c.Node);
            nearest = p;
          }
    ASSERT_TRUE(nearest.has_value());
    EXPECT_LE(best, tolerance);

    const CliResult here =
        RunCli({"here", NativeString(cityDir), std::to_string(nearest->X) + "," + std::to_string(nearest->Y)});
    ASSERT_EQ(here.exitCode, 0) << here.err;
    const std::vector<std::string> geoLine = Split(Lines(here.out).back(), '\t');
    ASSERT_EQ(geoLine.size(), 3u) << here.out;
    EXPECT_EQ(geoLine[0], "geo");
    EXPECT_LE(MetresBetween({std::stod(geoLine[1]), std::stod(geoLine[2])}, c.Node), tolerance) << here.out;
  }
}

// The viewer's inverse undoes the projection the importer made with PROJ
// (the file's own definition): the city and its surroundings (20 km) come
// back to within a tenth of a millimetre, and what lies out to 750 km east or
// west and 900 km north or south, where the series of the projection and of
// its inverse drift apart, to within 30 cm.
TEST_F(OsmImport, TheViewersInverseUndoesTheImportersProjection) {
  const std::string file = ReadBytes(CityDir() / "Info" / "Georef.inf");
  const size_t from = file.find("\r\nproj ") + 7;
  const std::string definition = file.substr(from, file.find("\r\n", from) - from);
  const GeoReference geo = CityGeoReference(CityDir());
  PJ_CONTEXT* context = proj_context_create();
  PJ* projection = proj_create(context, definition.c_str());
  ASSERT_NE(projection, nullptr) << definition;
  const TransverseMercator& tm = geo.Projection;
  struct Case {
    double Reach;      // degrees of latitude and of longitude around the centre
    double Tolerance;  // metres
  };
  double worst[2] = {0, 0};
  const Case cases[] = {{0.2, 1e-4}, {8.0, 0.3}};
  for (size_t k = 0; k < 2; ++k)
    for (int i = -4; i <= 4; ++i)
      for (int j = -4; j <= 4; ++j) {
        const LatLon at{tm.OriginLatitude + cases[k].Reach * i / 4, tm.CentralMeridian + cases[k].Reach * 1.5 * j / 4};
        const PJ_COORD projected = proj_trans(
            projection, PJ_FWD, proj_coord(at.Longitude * std::numbers::pi / 180, at.Latitude * std::numbers::pi / 180, 0, 0));
        const double x = geo.OriginX + projected.xy.x / geo.Unit, y = geo.OriginY - projected.xy.y / geo.Unit;
        const std::optional<LatLon> back = MapToLatLon(geo, x, y);
        ASSERT_TRUE(back.has_value()) << at.Latitude << " " << at.Longitude;
        worst[k] = std::max(worst[k], MetresBetween(*back, at));
      }
  proj_destroy(projection);
  proj_context_destroy(context);
  EXPECT_LE(worst[0], cases[0].Tolerance);
  EXPECT_LE(worst[1], cases[1].Tolerance);
}
