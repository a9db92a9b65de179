// The demo city generator, run as the program it is, into a temporary data
// root; the cities it writes are then read back byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <set>

#include "interaction/ViewControl.h"
#include "mapdata/Cp1251.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "mapdata/NativeName.h"
#include "mapdata/PictureLoader.h"
#include "mapdata/ScrambleMask.h"
#include "shell/LoadCity.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "support/DemoCities.h"
#include "support/StyleColours.h"
#include "support/TempDir.h"
#include "view/ViewScale.h"

namespace fs = std::filesystem;

namespace {

const std::string& kPlainCity = kPlainDemoCity;
const std::string& kScrambledCity = kScrambledDemoCity;

QString Q(const fs::path& path) { return QString::fromStdString(NativeString(path)); }

int32_t Int32At(const std::string& bytes, size_t at) {
  uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes[at + k]);
  return static_cast<int32_t>(v);
}

// Splits text whose every line ends CR LF; fails the test on any other line end.
std::vector<std::string> CrLfLines(const std::string& bytes, const std::string& what) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t cr = bytes.find('\r', start);
    const size_t lf = bytes.find('\n', start);
    if (cr == std::string::npos || lf != cr + 1) {
      ADD_FAILURE() << what << ": line " << lines.size() + 1 << " does not end with CR LF";
      return lines;
    }
    lines.push_back(bytes.substr(start, cr - start));
    start = lf + 1;
  }
  return lines;
}

std::string Unscrambled(std::string body, unsigned char mask) {
  for (char& c : body) c = static_cast<char>(static_cast<unsigned char>(c) ^ mask);
  return body;
}

// Records of a layer, however it is stored: each record as its fields.
std::vector<std::vector<std::string>> LayerRecords(const fs::path& city, const std::string& layer, size_t fields,
                                                   unsigned char mask = kScrambleMask) {
  std::vector<std::string> lines;
  int32_t count = 0;
  if (fs::exists(city / "Data" / (layer + ".crpt"))) {
    const std::string bytes = ReadBytes(city / "Data" / (layer + ".crpt"));
    EXPECT_GE(bytes.size(), 8u);
    count = Int32At(bytes, 0);
    const int32_t length = Int32At(bytes, 4);
    EXPECT_EQ(static_cast<size_t>(length), bytes.size() - 8) << layer;
    EXPECT_LE(length, 102400) << layer;
    lines = CrLfLines(Unscrambled(bytes.substr(8), mask), layer);
  } else {
    lines = CrLfLines(ReadBytes(city / "Data" / (layer + ".txt")), layer);
    EXPECT_FALSE(lines.empty()) << layer;
    if (lines.empty()) return {};
    count = std::stoi(lines.front());
    lines.erase(lines.begin());
  }
  EXPECT_EQ(lines.size(), static_cast<size_t>(count) * fields) << layer << ": count and records disagree";
  std::vector<std::vector<std::string>> records;
  for (size_t r = 0; r + fields <= lines.size(); r += fields)
    records.emplace_back(lines.begin() + static_cast<long>(r), lines.begin() + static_cast<long>(r + fields));
  return records;
}

std::set<std::string> Column(const std::vector<std::vector<std::string>>& records, size_t field) {
  std::set<std::string> values;
  for (const auto& record : records) values.insert(cp1251::ToUtf8(record[field]));
  return values;
}

// The point list holds exactly as many pairs as its count field says, at most 150.
void ExpectPointLists(const std::vector<std::vector<std::string>>& records, size_t countField, const std::string& layer) {
  for (size_t r = 0; r < records.size(); ++r) {
    const int count = std::stoi(records[r][countField]);
    const std::string& list = records[r][countField + 1];
    const long numbers = std::count(list.begin(), list.end(), ' ') + 1;
    EXPECT_EQ(numbers, 2L * count) << layer << " record " << r;
    EXPECT_GE(count, 1) << layer << " record " << r;
    EXPECT_LE(count, 150) << layer << " record " << r;
  }
}

class DemoCityTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempDir;
    const GeneratorRun run = RunDemoGenerator({"--out", Q(root_->Path())});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    output_ = new std::string(run.Out);
    RegisterStandardPictureDecoders();
  }
  static void TearDownTestSuite() {
    delete root_;
    delete output_;
  }
  static fs::path City(const std::string& name) { return root_->Path() / NativePath(name); }

  static TempDir* root_;
  static std::string* output_;
};

TempDir* DemoCityTest::root_ = nullptr;
std::string* DemoCityTest::output_ = nullptr;

TEST_F(DemoCityTest, WritesTwoCitiesWithEveryFile) {
  for (const std::string& name : {kPlainCity, kScrambledCity}) {
    const fs::path city = City(name);
    const bool plain = name == kPlainCity;
    const std::string ext = plain ? ".txt" : ".crpt";
    const std::string other = plain ? ".crpt" : ".txt";
    EXPECT_TRUE(fs::exists(city / "Info" / "about.inf")) << name;
    EXPECT_TRUE(fs::exists(city / "Info" / "Picture.jpg")) << name;
    EXPECT_TRUE(fs::exists(city / "Kw.map")) << name;
    EXPECT_TRUE(fs::exists(city / "Icons" / "Empt.ico")) << name;
    // Every layer the load reads, so that the demo shows each of them.
    for (const LayerReading* layer : LayerReadings()) {
      const LayerFiles& files = layer->Files;
      const char* file = plain ? files.Plain : files.Scrambled;
      EXPECT_TRUE(fs::exists(city / file)) << name << " has no " << file;
      EXPECT_FALSE(fs::exists(city / (plain ? files.Scrambled : files.Plain))) << name << " " << files.Plain;
    }
    int firms = 0;
    for (const auto& entry : fs::directory_iterator(city / "Firms")) {
      if (entry.path().extension() != ext) continue;
      ++firms;
      const fs::path base = entry.path().parent_path() / entry.path().stem();
      EXPECT_TRUE(fs::exists(fs::path(base) += ".jpg")) << base;
      EXPECT_TRUE(fs::exists(fs::path(base) += ".inf")) << base;
      EXPECT_FALSE(fs::exists(fs::path(base) += other)) << base;
    }
    EXPECT_GE(firms, 24) << name;
  }
  EXPECT_NE(output_->find("Светлогорск (plain)"), std::string::npos) << *output_;
  EXPECT_NE(output_->find("Озёрск (scrambled)"), std::string::npos) << *output_;
}

TEST_F(DemoCityTest, AboutTextIsRussianWindows1251WithCrLf) {
  for (const std::string& name : {kPlainCity, kScrambledCity}) {
    const std::vector<std::string> lines = CrLfLines(ReadBytes(City(name) / "Info" / "about.inf"), name);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(cp1251::ToUtf8(lines[0]), name);  // the title is the first line
    EXPECT_EQ(lines[0], cp1251::FromUtf8(name));  // one byte a letter, no UTF-8
    EXPECT_NE(cp1251::ToUtf8(lines[1]).find("город"), std::string::npos);
  }
}

TEST_F(DemoCityTest, StreetsHoldEveryKindOfLineAndEveryWidth) {
  const auto streets = LayerRecords(City(kPlainCity), "Streets", 5);
  const std::set<std::string> types = Column(streets, 1);
  for (const char* type : {"РЕКА", "ЖД", "МОСТ", "ТРАССА", "ГРАНИЦА", "улица", "проспект", "переулок"})
    EXPECT_TRUE(types.count(type)) << type;
  std::set<int> widths;
  for (const auto& s : streets)
    if (s[1] == cp1251::FromUtf8("улица") || s[1] == cp1251::FromUtf8("проспект") || s[1] == cp1251::FromUtf8("переулок"))
      widths.insert(std::stoi(s[2]));
  for (int w = 1; w <= 6; ++w) EXPECT_TRUE(widths.count(w)) << "ordinary street of width " << w;
  ExpectPointLists(streets, 3, "Streets");
}

TEST_F(DemoCityTest, BuildingsHaveAddressesAndSomeNames) {
  const auto buildings = LayerRecords(City(kPlainCity), "Buildings", 5);
  EXPECT_GE(buildings.size(), 300u);
  ExpectPointLists(buildings, 3, "Buildings");
  // A house's street is written as people write it, the type word first or
  // last; the street's own name is without it.
  std::set<std::string> streetNames;
  for (const auto& s : LayerRecords(City(kPlainCity), "Streets", 5)) {
    const std::string name = cp1251::ToUtf8(s[0]), type = cp1251::ToUtf8(s[1]);
    EXPECT_EQ(name.find(type), std::string::npos) << name << " says its type " << type;
    streetNames.insert(type + " " + name);
    streetNames.insert(name + " " + type);
  }
  size_t unnamed = 0;
  bool school = false;
  for (const auto& b : buildings) {
    EXPECT_TRUE(streetNames.count(cp1251::ToUtf8(b[0]))) << "building on unknown street " << cp1251::ToUtf8(b[0]);
    EXPECT_FALSE(b[1].empty());
    unnamed += b[2] == " ";
    school = school || cp1251::ToUtf8(b[2]).rfind("Школа №", 0) == 0;
  }
  EXPECT_GT(unnamed, buildings.size() / 2);
  EXPECT_LT(unnamed, buildings.size());
  EXPECT_TRUE(school);
}

TEST_F(DemoCityTest, RegionsOfEveryColouredType) {
  for (const std::string& name : {kPlainCity, kScrambledCity}) {
    const auto regions = LayerRecords(City(name), "Regions", 5);
    const std::set<std::string> types = Column(regions, 0);
    for (const char* type : {"Жилая зона", "Промышленная и хозяйственная", "В поселках жилого типа", "Рынки", "Леса, парки",
                             "Кладбища", "Сады, виноградники", "Технические культуры", "Спортивные площадки", "Водоемы",
                             "Площади"})
      EXPECT_TRUE(types.count(type)) << name << ": " << type;
    ExpectPointLists(regions, 1, "Regions");
  }
}

TEST_F(DemoCityTest, LabelsObjectsAndRoutes) {
  const auto labels = LayerRecords(City(kPlainCity), "Texts", 3);
  std::set<int> sizes;
  for (const auto& l : labels) sizes.insert(std::stoi(l[1]));
  EXPECT_TRUE(sizes.count(8) && sizes.count(9));
  EXPECT_GE(*sizes.rbegin(), 12);

  const auto objects = LayerRecords(City(kPlainCity), "Objects", 6);
  std::set<int> icons;
  for (const auto& o : objects) icons.insert(std::stoi(o[5]));
  EXPECT_GE(icons.size(), 10u);
  EXPECT_TRUE(Column(objects, 0).count("Аптеки"));
  for (int icon : icons) EXPECT_TRUE(fs::exists(City(kPlainCity) / "Icons" / (std::to_string(icon) + ".ico"))) << icon;

  const auto routes = LayerRecords(City(kPlainCity), "Path", 5);
  const std::set<std::string> types = Column(routes, 0);
  for (const char* type : {"Автобус", "Троллейбус", "Трамвай", "Маршрутное такси"}) EXPECT_TRUE(types.count(type)) << type;
  ExpectPointLists(routes, 3, "Path");
}

TEST_F(DemoCityTest, ScrambledCityHasTheSameKindsOfContent) {
  const fs::path city = City(kScrambledCity);
  EXPECT_GE(LayerRecords(city, "Streets", 5).size(), 20u);
  EXPECT_GE(LayerRecords(city, "Buildings", 5).size(), 300u);
  EXPECT_GE(LayerRecords(city, "Texts", 3).size(), 20u);
  EXPECT_GE(LayerRecords(city, "Objects", 6).size(), 20u);
  EXPECT_GE(LayerRecords(city, "Path", 5).size(), 4u);
  EXPECT_TRUE(Column(LayerRecords(city, "Streets", 5), 1).count("РЕКА"));
}

TEST_F(DemoCityTest, PlainFirmFilesAreFiveCrLfFields) {
  const fs::path firm = City(kPlainCity) / "Firms" / "firm_001.txt";
  const std::vector<std::string> fields = CrLfLines(ReadBytes(firm), NativeString(firm));
  ASSERT_EQ(fields.size(), 5u);
  EXPECT_FALSE(cp1251::ToUtf8(fields[0]).empty());
  EXPECT_NE(cp1251::ToUtf8(fields[4]).find("аптека"), std::string::npos);
  const auto space = fields[3].find(' ');
  ASSERT_NE(space, std::string::npos);
  EXPECT_GT(std::stoi(fields[3].substr(0, space)), 0);
}

TEST_F(DemoCityTest, ScrambledFirmFilesAreFiveLfFields) {
  for (const auto& entry : fs::directory_iterator(City(kScrambledCity) / "Firms")) {
    if (entry.path().extension() != ".crpt") continue;
    const std::string bytes = ReadBytes(entry.path());
    ASSERT_GE(bytes.size(), 4u);
    const int32_t length = Int32At(bytes, 0);
    EXPECT_EQ(static_cast<size_t>(length), bytes.size() - 4) << entry.path();
    EXPECT_LE(length, 10240);
    const std::string body = Unscrambled(bytes.substr(4), kScrambleMask);
    EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 5) << entry.path();
    EXPECT_EQ(body.find('\r'), std::string::npos) << entry.path();
    EXPECT_EQ(body.back(), '\n');
  }
}

TEST_F(DemoCityTest, InformationTextsAndKeywordsAreCrLfRussian) {
  const std::vector<std::string> info = CrLfLines(ReadBytes(City(kPlainCity) / "Firms" / "firm_001.inf"), "firm_001.inf");
  ASSERT_GE(info.size(), 4u);
  EXPECT_EQ(cp1251::ToUtf8(info[1]).rfind("Адрес: ", 0), 0u);
  const std::vector<std::string> words = CrLfLines(ReadBytes(City(kScrambledCity) / "Kw.map"), "Kw.map");
  ASSERT_GE(words.size(), 5u);
  EXPECT_TRUE(std::is_sorted(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
    return cp1251::ToQString(a).compare(cp1251::ToQString(b), Qt::CaseInsensitive) < 0;
  }));
  EXPECT_TRUE(std::count(words.begin(), words.end(), cp1251::FromUtf8("аптека")));
}

TEST_F(DemoCityTest, PicturesDecodeAtTheirSizes) {
  QImage image;
  std::string error;
  ASSERT_TRUE(LoadPicture(City(kPlainCity) / "Info" / "Picture.jpg", image, &error)) << error;
  EXPECT_GE(image.width(), 300);
  for (const char* icon : {"0.ico", "5.ico", "11.ico", "Empt.ico"}) {
    ASSERT_TRUE(LoadPicture(City(kScrambledCity) / "Icons" / icon, image, &error)) << error;
    EXPECT_EQ(image.size(), QSize(20, 20)) << icon;
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << icon << ": the corner is transparent";
    EXPECT_EQ(qAlpha(image.pixel(10, 10)), 255) << icon;
  }
  ASSERT_TRUE(LoadPicture(City(kPlainCity) / "Firms" / "firm_001.jpg", image, &error)) << error;
  EXPECT_EQ(image.size(), QSize(20, 20));
  int pictures = 0;
  for (int k = 1; k <= 3; ++k) {
    const fs::path photo = City(kPlainCity) / "Firms" / ("firm_001" + std::to_string(k) + ".jpg");
    if (!fs::exists(photo)) continue;
    ++pictures;
    ASSERT_TRUE(LoadPicture(photo, image, &error)) << error;
    EXPECT_GE(image.width(), 200);
  }
  EXPECT_GE(pictures, 1);
}

TEST_F(DemoCityTest, SecondRunWritesTheSameBytes) {
  TempDir again;
  ASSERT_EQ(RunDemoGenerator({"--out", Q(again.Path()), "--scrambled"}).ExitCode, 0);
  for (const char* layer : {"Buildings", "Objects", "Streets"})
    EXPECT_EQ(ReadBytes(again.Path() / NativePath(kScrambledCity) / "Data" / (std::string(layer) + ".crpt")),
              ReadBytes(City(kScrambledCity) / "Data" / (std::string(layer) + ".crpt")))
        << layer;
  EXPECT_FALSE(fs::exists(again.Path() / NativePath(kPlainCity)));
}

TEST_F(DemoCityTest, EveryDemoCityLoadsWithoutAMessage) {
  for (const std::string& name : {kPlainCity, kScrambledCity}) {
    RecordingHost host;
    MapCore core(host, root_->Path());
    LoadCity(core, name, cp1251::FromUtf8(name));
    for (const std::string& message : host.Messages) ADD_FAILURE() << name << ": " << message;
    const CityTables& t = core.Tables;
    const fs::path city = City(name);
    EXPECT_EQ(t.ListOfStreets.Count(), static_cast<int>(LayerRecords(city, "Streets", 5).size())) << name;
    EXPECT_EQ(t.ListOfBuildings.Count(), static_cast<int>(LayerRecords(city, "Buildings", 5).size())) << name;
    EXPECT_EQ(t.ListOfRegions.Count(), static_cast<int>(LayerRecords(city, "Regions", 5).size())) << name;
    EXPECT_EQ(t.ListOfTexts.Count(), static_cast<int>(LayerRecords(city, "Texts", 3).size())) << name;
    EXPECT_EQ(t.ListOfObjects.Count(), static_cast<int>(LayerRecords(city, "Objects", 6).size())) << name;
    EXPECT_EQ(t.ListOfPath1.Count(), static_cast<int>(LayerRecords(city, "Path", 5).size())) << name;
    EXPECT_EQ(t.ListOfPath2.Count(), t.ListOfPath1.Count()) << name;
    EXPECT_GE(t.ListOfFirms.Count(), 24) << name;
    EXPECT_EQ(t.FirmsImageList.size(), static_cast<size_t>(t.ListOfFirms.Count())) << name;
    // Twelve kinds and the placeholder; every kind named, the last entry "Все".
    ASSERT_EQ(t.ImageListObject.size(), 13u) << name;
    ASSERT_EQ(t.ObjectComboBox.size(), 13u) << name;
    for (size_t k = 0; k + 1 < t.ObjectComboBox.size(); ++k)
      EXPECT_NE(t.ObjectComboBox[k].Caption, "***") << name << " kind " << k;
    EXPECT_EQ(cp1251::ToUtf8(t.ObjectComboBox.back().Caption), "Все");
    EXPECT_FALSE(core.Search.Keywords.empty()) << name;
    // The whole city lies in the first quadrant, around the first view's centre.
    EXPECT_EQ(core.Extents.MapMinX, 0);
    EXPECT_EQ(core.Extents.MapMinY, 0);
    EXPECT_GT(core.Extents.MapMaxX, 1000);
    EXPECT_LT(core.Extents.MapMaxX, 2000);
    EXPECT_GT(core.Extents.MapMaxY, 1200);
    EXPECT_LT(core.Extents.MapMaxY, 1600);
  }
}

// Share of the pixels in the middle of the map picture (what the window
// shows) that have exactly this colour.
double ShareOf(const QImage& map, QRgb colour) {
  long hits = 0, all = 0;
  for (int y = map.height() / 4; y < map.height() * 3 / 4; y += 2)
    for (int x = map.width() / 4; x < map.width() * 3 / 4; x += 2, ++all)
      hits += (map.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return static_cast<double>(hits) / all;
}

TEST_F(DemoCityTest, FirstViewAndCloserViewsShowTheCity) {
  RecordingHost host;
  MapCore core(host, root_->Path());
  LoadCity(core, kPlainCity, cp1251::FromUtf8(kPlainCity));
  ASSERT_FALSE(core.Map.isNull());
  EXPECT_LT(ShareOf(core.Map, kBackground.rgb()), 0.5) << "mostly empty background";
  EXPECT_GT(ShareOf(core.Map, RegionFill("Жилая зона").rgb()), 0.05) << "housing blocks";
  EXPECT_GT(ShareOf(core.Map, qRgb(255, 255, 255)), 0.01) << "streets";
  EXPECT_GT(ShareOf(core.Map, RegionFill("Площади").rgb()), 0.005) << "the central square";
  EXPECT_EQ(ShareOf(core.Map, BuildingFill().rgb()), 0.0) << "no buildings below scale 2";
  SetTrackBarPosition(core, 4);  // scale 2
  EXPECT_GT(ShareOf(core.Map, BuildingFill().rgb()), 0.05) << "buildings";
}

TEST(DemoCityOptions, AnotherMaskScramblesWithIt) {
  TempDir root;
  const GeneratorRun run = RunDemoGenerator({"--out", Q(root.Path()), "--scrambled", "--mask", "0x33"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const auto streets = LayerRecords(root.Path() / NativePath(kScrambledCity), "Streets", 5, 0x33);
  ASSERT_FALSE(streets.empty());
  EXPECT_TRUE(Column(streets, 1).count("РЕКА"));
}

TEST(DemoCityOptions, ScaledCityTilesThePlainCity) {
  TempDir root;
  const GeneratorRun run = RunDemoGenerator({"--out", Q(root.Path()), "--plain", "--scale", "3", "--name", "Большой"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const size_t one = LayerRecords(root.Path() / NativePath(kPlainCity), "Buildings", 5).size();
  const auto big = LayerRecords(root.Path() / NativePath("Большой"), "Buildings", 5);
  EXPECT_EQ(big.size(), 3 * one);
  EXPECT_EQ(cp1251::ToUtf8(CrLfLines(ReadBytes(root.Path() / NativePath("Большой") / "Info" / "about.inf"), "about")[0]), "Большой");
  EXPECT_TRUE(fs::exists(root.Path() / NativePath("Большой") / "Data" / "Streets.txt"));
  EXPECT_FALSE(fs::exists(root.Path() / NativePath(kScrambledCity)));
}

TEST(DemoCityOptions, ArtworkHasItsSizes) {
  TempDir dir;
  const GeneratorRun run = RunDemoGenerator({"--artwork", Q(dir.Path())});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  RegisterStandardPictureDecoders();
  QImage splash;
  std::string error;
  ASSERT_TRUE(LoadPicture(dir.Path() / "splash.jpg", splash, &error)) << error;
  EXPECT_EQ(splash.size(), QSize(553, 416));
  const QImage logo(Q(dir.Path() / "logo.png"));
  EXPECT_EQ(logo.size(), QSize(64, 64));
}

TEST(DemoCityOptions, BadArgumentsAreRefusedWithUsage) {
  for (const QStringList& args : {QStringList{}, QStringList{"--scale", "x", "--out", "/tmp"},
                                  QStringList{"--mask", "0x100", "--out", "/tmp"}, QStringList{"--bogus"},
                                  QStringList{"--plain", "--scrambled", "--out", "/tmp"}}) {
    const GeneratorRun run = RunDemoGenerator(args);
    EXPECT_EQ(run.ExitCode, 2) << args.join(' ').toStdString();
    EXPECT_NE(run.Err.find("usage:"), std::string::npos);
  }
  const GeneratorRun help = RunDemoGenerator({"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_NE(help.Out.find("--scale"), std::string::npos);
}

}  // namespace
