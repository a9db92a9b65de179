// The layer loaders, reached as the city load reaches them: through the layer
// table (MapLayer::Load), each filling its own table(s).  One table-driven
// case per behaviour, each with the inputs of every layer it was written for.
#include <gtest/gtest.h>

#include "mapdata/Cp1251.h"
#include "mapdata/Loaders.h"
#include "render/MapLayers.h"
#include "shell/LoadCity.h"
#include "support/CityBuilder.h"
#include "mapdata/NativeName.h"

namespace {

using Row = std::vector<std::string>;

// The caption and every cell of each row.
std::vector<Row> Rows(const LayerTable& table) {
  std::vector<Row> rows;
  for (const LayerRow& r : table.Rows()) {
    Row cells{std::string(r.Cell(kCaption))};
    for (const std::string& cell : r.SubItems()) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

void Load(CoreFixture& f, const CityBuilder& city, DrawCode layer) { LayerOf(layer).Load(f.Core.Loading(city.Name())); }

const LayerTable& TableOf(const CoreFixture& f, DrawCode layer) { return TableOf(f.Core.Tables, LayerOf(layer)); }

// The "Файл" cell of a file.
std::string FileCellOf(const fs::path& file) { return cp1251::FromUtf8(NativeString(file)); }

std::string PointsText(int n, int base) {
  std::string text;
  for (int i = 0; i < n; ++i) text += (i ? " " : "") + std::to_string(base + i) + " " + std::to_string(base - i);
  return text;
}

LayerRecord Route(const std::string& name, const std::string& count, const std::string& points) {
  return {W("Автобус"), name, W("до вокзала"), count, points};
}

// A layer's file, in the variant that is written.
struct LayerFile {
  DrawCode Layer;
  const char* Plain;
  const char* Scrambled;
};
const LayerFile kFiles[] = {{DrawCode::Street, "Data/Streets.txt", "Data/Streets.crpt"},
                            {DrawCode::Building, "Data/Buildings.txt", "Data/Buildings.crpt"},
                            {DrawCode::Route, "Data/Path.txt", "Data/Path.crpt"},
                            {DrawCode::Label, "Data/Texts.txt", "Data/Texts.crpt"},
                            {DrawCode::Region, "Data/Regions.txt", "Data/Regions.crpt"},
                            {DrawCode::Object, "Data/Objects.txt", "Data/Objects.crpt"}};

const LayerFile& FileOf(DrawCode layer) {
  for (const LayerFile& f : kFiles)
    if (f.Layer == layer) return f;
  throw std::invalid_argument("no file layer");
}

}  // namespace

// Records of every layer in both variants: each field in its cell, the file's
// full path in "Файл", the box (or point) cells and the map extents.
TEST(LayerLoaders, BothVariantsFillEveryCellTheBoxAndTheExtents) {
  struct Case {
    DrawCode Layer;
    std::vector<LayerRecord> Records;
    // Expected rows with "FILE" for the file's cell; routes: ListOfPath2 first.
    std::vector<Row> Rows, ShapeRows;
    MapExtents Extents;
  };
  const std::vector<Case> cases{
      {DrawCode::Street,
       {StreetRecord("Ленина", "10 20 30 40", 2, "5", "Улица"), StreetRecord("Мост", "-7 3", 1, "2", "МОСТ")},
       {{W("Ленина"), W("Улица"), "5", "2", "10 20 30 40", "FILE", "", "", "10", "20", "30", "40"},
        {W("Мост"), W("МОСТ"), "2", "1", "-7 3", "FILE", "", "", "-7", "3", "-7", "3"}},
       {},
       {-7, 0, 30, 40}},
      // Same address twice: two rows.
      {DrawCode::Building,
       {{W("Мира"), "12", W("Школа"), "3", "0 0 10 0 10 -20"}, {W("Мира"), "12", W("Школа"), "0", " "}},
       {{W("Мира"), "12", W("Школа"), "3", "0 0 10 0 10 -20", "FILE", "0", "-20", "10", "0"},
        {W("Мира"), "12", W("Школа"), "0", " ", "FILE", "0", "0", "0", "0"}},
       {},
       {0, -20, 10, 0}},
      // Same route twice: two rows in each of the parallel tables.
      {DrawCode::Route,
       {Route("5", "2", "1 2 -3 40"), Route("5", "0", " ")},
       {{W("Автобус"), "5", W("до вокзала")}, {W("Автобус"), "5", W("до вокзала")}},
       {{"2", "1 2 -3 40", "-3", "2", "1", "40"}, {"0", " ", "0", "0", "0", "0"}},
       {-3, 0, 1, 40}},
      // A label takes the first pair of its position.
      {DrawCode::Label,
       {{W("Центр"), "2", "-10 -20 99 99"}, {"B", "1", "5 6"}},
       {{W("Центр"), "2", "-10 -20 99 99", "-10", "-20"}, {"B", "1", "5 6", "5", "6"}},
       {},
       {-10, -20, 5, 6}},
      // The number fields of a region are kept as text.
      {DrawCode::Region,
       {{W("Леса, парки"), "3", "0 0 10 0 5 8", W("два"), "x y"}, {W("Неизвестно"), "0", " ", " ", " "}},
       {{W("Леса, парки"), "3", "0 0 10 0 5 8", W("два"), "x y", "0", "0", "10", "8"},
        {W("Неизвестно"), "0", " ", " ", " ", "0", "0", "0", "0"}},
       {},
       {0, 0, 10, 8}},
  };
  for (const Case& c : cases) {
    for (const bool scrambled : {false, true}) {
      SCOPED_TRACE(std::string(LayerOf(c.Layer).Name) + (scrambled ? " scrambled" : " plain"));
      CityBuilder city;
      const fs::path file = scrambled ? city.Scrambled(FileOf(c.Layer).Scrambled, c.Records)
                                      : city.Plain(FileOf(c.Layer).Plain, c.Records);
      CoreFixture f(city.DataRoot());
      (f.Core.Tables.*LayerOf(c.Layer).Table).Add("old");  // a loader empties its table(s) first
      f.Core.Tables.ListOfPath2.Add("old");
      Load(f, city, c.Layer);
      std::vector<Row> expected = c.Rows;
      for (Row& row : expected)
        for (std::string& cell : row)
          if (cell == "FILE") cell = FileCellOf(file);
      if (c.Layer == DrawCode::Route) {
        EXPECT_EQ(Rows(f.Core.Tables.ListOfPath2), expected);
        EXPECT_EQ(Rows(f.Core.Tables.ListOfPath1), c.ShapeRows);
      } else {
        EXPECT_EQ(Rows(TableOf(f, c.Layer)), expected);
      }
      const MapExtents& e = f.Core.Extents;
      EXPECT_EQ((std::vector<int>{e.MapMinX, e.MapMinY, e.MapMaxX, e.MapMaxY}),
                (std::vector<int>{c.Extents.MapMinX, c.Extents.MapMinY, c.Extents.MapMaxX, c.Extents.MapMaxY}));
      EXPECT_TRUE(f.Host.Messages.empty());
    }
  }
}

// Neither file: every loader empties its table(s) and says nothing.
TEST(LayerLoaders, NeitherFileLeavesAnEmptyTableAndNoMessage) {
  for (const LayerFile& layerFile : kFiles) {
    SCOPED_TRACE(LayerOf(layerFile.Layer).Name);
    CityBuilder city;
    CoreFixture f(city.DataRoot());
    LayerTable& table = f.Core.Tables.*LayerOf(layerFile.Layer).Table;
    table.Add("old");
    f.Core.Tables.ListOfPath2.Add("old");
    Load(f, city, layerFile.Layer);
    EXPECT_TRUE(table.Empty());
    if (layerFile.Layer == DrawCode::Route) {
      EXPECT_TRUE(f.Core.Tables.ListOfPath2.Empty());
    }
    EXPECT_TRUE(f.Host.Messages.empty());
  }
}

// A scrambled file wins over a plain one, and rows name it; record 2 starts
// right after record 1's last CR LF.
TEST(LayerLoaders, ScrambledWinsOverPlainAndNamesTheCrptFile) {
  CityBuilder city;
  city.Plain("Data/Streets.txt", {StreetRecord("Plain", "1 1", 1)});
  const fs::path crpt = city.Scrambled("Data/Streets.crpt", {StreetRecord("A", "1 2", 1), StreetRecord("B", "3 4", 1)});
  CoreFixture f(city.DataRoot());
  Load(f, city, DrawCode::Street);
  const LayerTable& t = TableOf(f, DrawCode::Street);
  ASSERT_EQ(t.Count(), 2);
  EXPECT_EQ(t[0].Cell(street_cell::Name), "A");
  EXPECT_EQ(t[1].Cell(street_cell::Name), "B");
  EXPECT_EQ(t[1].Cell(street_cell::File), FileCellOf(crpt));
}

TEST(LayerLoaders, ProgressIsSetAndTheCityWindowRepaintedBeforeEachRecord) {
  CityBuilder city;
  city.Plain("Data/Streets.txt", {StreetRecord("A", "1 2", 1), StreetRecord("B", "1 2", 1), StreetRecord("C", "1 2", 1)});
  CoreFixture f(city.DataRoot());
  Load(f, city, DrawCode::Street);
  EXPECT_EQ(f.Host.CityRepaints, 3);
  EXPECT_EQ(f.Core.Progress.Progress1Max, 3);
  EXPECT_EQ(f.Core.Progress.Progress1Position, 2);
}

// A count of zero or less reads no record; a point count of zero gives a row
// whose box is 0s and that leaves the extents alone.
TEST(LayerLoaders, CountsOfZeroOrLessReadNothingAndNoPointsGiveAZeroBox) {
  struct Case {
    DrawCode Layer;
    const char* File;
    std::string Bytes;
  };
  for (const Case& c : {Case{DrawCode::Street, "Data/Streets.crpt", ScrambledLayerBytes({})},
                        Case{DrawCode::Region, "Data/Regions.txt", "-2\r\n"}}) {
    SCOPED_TRACE(c.File);
    CityBuilder city;
    city.Raw(c.File, c.Bytes);
    CoreFixture f(city.DataRoot());
    Load(f, city, c.Layer);
    EXPECT_TRUE(TableOf(f, c.Layer).Empty());
    EXPECT_TRUE(f.Host.Messages.empty());
  }

  CityBuilder other;
  other.Plain("Data/Streets.txt", {StreetRecord("Nowhere", " ", 0)});
  CoreFixture g(other.DataRoot());
  WidenMapExtents(g.Core.Extents, -1, -1, 1, 1);
  Load(g, other, DrawCode::Street);
  const LayerTable& t = TableOf(g, DrawCode::Street);
  ASSERT_EQ(t.Count(), 1);
  EXPECT_EQ(t[0].Cell(street_cell::MinX), "0");
  EXPECT_EQ(t[0].Cell(street_cell::MaxY), "0");
  EXPECT_EQ(g.Core.Extents.MapMinX, -1);
  EXPECT_EQ(g.Core.Extents.MapMaxX, 1);
}

TEST(LayerLoaders, AHundredFiftyPointListLongerThanTheBlockLoadsWhole) {
  // Padded numbers make the list longer than the 10240-byte read block.
  std::string text;
  for (int i = 0; i < 150; ++i)
    text += (i ? " " : "") + std::string(40, '0') + std::to_string(i) + " -" + std::string(40, '0') + std::to_string(i);
  ASSERT_GT(text.size(), 10240u);
  CityBuilder city;
  city.Plain("Data/Streets.txt", {StreetRecord("Long", text, 150), StreetRecord("Next", "5 5", 1)});
  CoreFixture f(city.DataRoot());
  Load(f, city, DrawCode::Street);
  const LayerTable& t = TableOf(f, DrawCode::Street);
  ASSERT_EQ(t.Count(), 2) << (f.Host.Messages.empty() ? "" : f.Host.Messages[0]);
  EXPECT_EQ(t[0].Cell(street_cell::Points), text);
  EXPECT_EQ(t[0].Cell(street_cell::MinX), "0");
  EXPECT_EQ(t[0].Cell(street_cell::MinY), "-149");
  EXPECT_EQ(t[0].Cell(street_cell::MaxX), "149");
  EXPECT_EQ(t[0].Cell(street_cell::MaxY), "0");
  EXPECT_EQ(t[1].Cell(street_cell::Name), "Next");
}

// Real data sets come from Windows: names differ in case, and a folder may
// bear a data file's name (it counts as absent).
TEST(LayerLoaders, FilesAreFoundWhateverTheCaseAndAFolderIsNoFile) {
  CityBuilder city;
  const fs::path file = city.Plain("DATA/STREETS.TXT", {StreetRecord("Upper", "1 2", 1)});
  CoreFixture f(city.DataRoot());
  Load(f, city, DrawCode::Street);
  ASSERT_EQ(TableOf(f, DrawCode::Street).Count(), 1);
  const std::string cell(TableOf(f, DrawCode::Street)[0].Cell(street_cell::File));
#ifdef _WIN32  // names that differ only in case are one file there
  EXPECT_TRUE(fs::equivalent(NativePath(cp1251::ToUtf8(cell)), file)) << cell;
#else
  EXPECT_EQ(cell, FileCellOf(file));
#endif

  CityBuilder other;
  other.Folder("Data/Streets.crpt");
  other.Plain("Data/Streets.txt", {StreetRecord("Plain", "1 2", 1)});
  CoreFixture g(other.DataRoot());
  Load(g, other, DrawCode::Street);
  ASSERT_EQ(TableOf(g, DrawCode::Street).Count(), 1);
  EXPECT_EQ(TableOf(g, DrawCode::Street)[0].Cell(street_cell::Name), "Plain");
  EXPECT_TRUE(g.Host.Messages.empty());
}

// A bad record or header stops the layer with one message naming the file,
// the record and what is wrong; the rows read before it stay (routes: in both
// tables alike).
TEST(LayerLoaders, ABadRecordStopsTheLayerWithOneMessageKeepingTheRowsBefore) {
  struct Case {
    DrawCode Layer;
    const char* File;
    std::string Bytes;
    int RowsKept;
    std::string Message;  // after "Файл PATH"
  };
  std::string hugeCount = ScrambledLayerBytes({StreetRecord("A", "1 2", 1)});
  hugeCount[0] = '\x00'; hugeCount[1] = '\x94'; hugeCount[2] = '\x35'; hugeCount[3] = '\x77';  // 2,000,000,000 records
  std::string longBody = ScrambledLayerBytes({StreetRecord("A", "1 2", 1)});
  longBody[4] = '\xFF'; longBody[5] = '\xFF'; longBody[6] = '\xFF'; longBody[7] = '\x7F';
  std::string routeBody;
  for (const std::string& field : Route("1", "1", "0 0")) routeBody += field + "\r\n";
  routeBody += W("Трамвай") + "\r\n7\r\n";  // the second record has only two fields
  std::string cutRoutes = ScrambledLayerBytes({});
  cutRoutes[0] = 2;
  cutRoutes[4] = static_cast<char>(routeBody.size());
  for (char c : routeBody) cutRoutes.push_back(static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleMask));
  std::string shortRegions = ScrambledLayerBytes({{"T", "1", "1 1", " ", " "}});
  shortRegions.resize(shortRegions.size() - 4);

  const std::vector<Case> cases{
      {DrawCode::Street, "Data/Streets.txt",
       PlainLayerBytes({StreetRecord("A", "1 2", 1), StreetRecord("B", "1 2", 1), {"C", "x", "3", "x", "1 2"},
                        StreetRecord("D", "1 2", 1)}),
       2, ", запись 3: количество точек «x» не является целым числом."},
      {DrawCode::Street, "Data/Streets.crpt", ScrambledLayerBytes({StreetRecord("A", "1 2", 1, "wide")}), 0,
       ", запись 1: ширина «wide» не является целым числом."},
      {DrawCode::Street, "Data/Streets.txt", PlainLayerBytes({StreetRecord("A", PointsText(151, 0), 151)}), 0,
       ", запись 1: количество точек 151 вне пределов от 0 до 150."},
      {DrawCode::Street, "Data/Streets.txt",
       PlainLayerBytes({StreetRecord("A", "1 2", 1), StreetRecord("B", "1 2 3", 2)}), 1,
       ", запись 2: в списке точек меньше пар, чем указано: 1 из 2."},
      {DrawCode::Street, "Data/Streets.txt", "3\r\nA\r\nT\r\n1\r\n1\r\n5 6\r\n", 1,
       ", запись 2: записи нет: файл кончается раньше (указано записей: 3)."},
      {DrawCode::Street, "Data/Streets.crpt", hugeCount, 1,
       ", запись 2: записи нет: файл кончается раньше (указано записей: 2000000000)."},
      {DrawCode::Street, "Data/Streets.crpt", longBody, 0, ": длина данных 2147483647 больше допустимой (102400)."},
      {DrawCode::Street, "Data/Streets.txt",
       PlainLayerBytes({StreetRecord("A", "1 2", 1), StreetRecord(std::string(10240, 'n'), "1 2", 1)}), 1,
       ", запись 2: поле 1 (название) длиннее 10239 байт."},
      {DrawCode::Building, "Data/Buildings.crpt", ScrambledLayerBytes({{"S", "1", "N", "2", "1 2 3 y"}}), 0,
       ", запись 1: координата «y» в списке точек не является целым числом."},
      {DrawCode::Route, "Data/Path.txt", PlainLayerBytes({Route("1", "1", "0 0"), Route("2", "one", "0 0")}), 1,
       ", запись 2: количество точек «one» не является целым числом."},
      {DrawCode::Route, "Data/Path.crpt", cutRoutes, 1,
       ", запись 2: файл кончается посреди записи: нет поля 3 (комментарий)."},
      {DrawCode::Label, "Data/Texts.txt", PlainLayerBytes({{"A", "big", "1 2"}}), 0,
       ", запись 1: размер «big» не является целым числом."},
      {DrawCode::Label, "Data/Texts.crpt", ScrambledLayerBytes({{"A", "1", "1 2"}, {"B", "1", "12"}}), 1,
       ", запись 2: в списке точек меньше пар, чем указано: 0 из 1."},
      {DrawCode::Label, "Data/Texts.txt", "many\r\nA\r\n1\r\n1 2\r\n", 0,
       ": количество записей «many» не является целым числом."},
      {DrawCode::Region, "Data/Regions.crpt", shortRegions, 0,
       ": длина данных 17 больше, чем осталось в файле (13 байт)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Message);
    CityBuilder city;
    const fs::path file = city.Raw(c.File, c.Bytes);
    CoreFixture f(city.DataRoot());
    Load(f, city, c.Layer);
    EXPECT_EQ(TableOf(f, c.Layer).Count(), c.RowsKept);
    if (c.Layer == DrawCode::Route) {
      EXPECT_EQ(f.Core.Tables.ListOfPath2.Count(), c.RowsKept);
    }
    ASSERT_EQ(f.Host.Messages.size(), 1u);
    EXPECT_EQ(f.Host.Messages[0], "Файл " + NativeString(file) + c.Message);
  }
}

TEST(LayerLoaders, AnotherMaskIsDetected) {
  CityBuilder city;
  city.Scrambled("Data/Streets.crpt", {StreetRecord("Маска", "1 2", 1)}, 0x11);
  CoreFixture f(city.DataRoot());
  LoadCity(f.Core, city.Name(), "Town");
  ASSERT_EQ(TableOf(f, DrawCode::Street).Count(), 1);
  EXPECT_EQ(TableOf(f, DrawCode::Street)[0].Cell(street_cell::Name), W("Маска"));
}
