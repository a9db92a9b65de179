#include <gtest/gtest.h>

#include "mapdata/Cp1251.h"
#include "mapdata/Loaders.h"
#include "shell/LoadCity.h"
#include "support/CityBuilder.h"

namespace {

std::string Cell(const fs::path& file) { return cp1251::FromUtf8(file.string()); }

std::vector<std::string> Row(const LayerTable& table, int index) {
  std::vector<std::string> cells{table[index].Caption};
  for (const std::string& c : table[index].SubItems) cells.push_back(c);
  return cells;
}

std::string PointsText(int n, int base) {
  std::string text;
  for (int i = 0; i < n; ++i) text += (i ? " " : "") + std::to_string(base + i) + " " + std::to_string(base - i);
  return text;
}

}  // namespace

TEST(LoadStreets, PlainFileFillsEveryColumnAndTheBox) {
  CityBuilder city;
  const fs::path file = city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "10 20 30 40", 2, "5", "Улица"),
                                                         StreetRecord("Мост", "-7 3", 1, "2", "МОСТ")});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  const LayerTable& t = f.Core.Tables.ListOfStreets;
  ASSERT_EQ(t.Count(), 2);
  EXPECT_EQ(Row(t, 0), (std::vector<std::string>{W("Ленина"), W("Улица"), "5", "2", "10 20 30 40", Cell(file), "", "",
                                                 "10", "20", "30", "40"}));
  EXPECT_EQ(Row(t, 1), (std::vector<std::string>{W("Мост"), W("МОСТ"), "2", "1", "-7 3", Cell(file), "", "", "-7",
                                                 "3", "-7", "3"}));
  EXPECT_EQ(f.Core.Extents.MapMinX, -7);
  EXPECT_EQ(f.Core.Extents.MapMinY, 0);
  EXPECT_EQ(f.Core.Extents.MapMaxX, 30);
  EXPECT_EQ(f.Core.Extents.MapMaxY, 40);
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST(LoadStreets, ScrambledWinsOverPlainAndNamesTheCrptFile) {
  CityBuilder city;
  city.Plain("Data/Streets.txt", {StreetRecord("Plain", "1 1", 1)});
  const fs::path crpt = city.Scrambled("Data/Streets.crpt", {StreetRecord("A", "1 2", 1), StreetRecord("B", "3 4", 1)});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  const LayerTable& t = f.Core.Tables.ListOfStreets;
  ASSERT_EQ(t.Count(), 2);
  EXPECT_EQ(t[0].Caption, "A");
  EXPECT_EQ(t[1].Caption, "B");  // record 2 starts right after record 1's last CR LF
  EXPECT_EQ(t[1].Cell(4), Cell(crpt));
}

TEST(LoadStreets, ProgressIsSetAndTheCityWindowRepaintedBeforeEachRecord) {
  CityBuilder city;
  city.Plain("Data/Streets.txt", {StreetRecord("A", "1 2", 1), StreetRecord("B", "1 2", 1), StreetRecord("C", "1 2", 1)});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  EXPECT_EQ(f.Host.CityRepaints, 3);
  EXPECT_EQ(f.Core.Progress.Progress1Max, 3);
  EXPECT_EQ(f.Core.Progress.Progress1Position, 2);
}

TEST(LoadStreets, CountZeroAndPointCountZero) {
  CityBuilder city;
  city.Scrambled("Data/Streets.crpt", {});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  EXPECT_TRUE(f.Core.Tables.ListOfStreets.Empty());

  CityBuilder other;
  other.Plain("Data/Streets.txt", {StreetRecord("Nowhere", " ", 0)});
  CoreFixture g(other.DataRoot());
  WidenMapExtents(g.Core.Extents, -1, -1, 1, 1);
  LoadStreets(g.Core, other.Name());
  ASSERT_EQ(g.Core.Tables.ListOfStreets.Count(), 1);
  EXPECT_EQ(g.Core.Tables.ListOfStreets[0].Cell(7), "0");
  EXPECT_EQ(g.Core.Tables.ListOfStreets[0].Cell(10), "0");
  EXPECT_EQ(g.Core.Extents.MapMinX, -1);
  EXPECT_EQ(g.Core.Extents.MapMaxX, 1);
}

TEST(LoadStreets, AHundredFiftyPointListLongerThanTheBlockLoadsWhole) {
  // Padded numbers make the list longer than the 10240-byte read block.
  std::string text;
  for (int i = 0; i < 150; ++i)
    text += (i ? " " : "") + std::string(40, '0') + std::to_string(i) + " -" + std::string(40, '0') + std::to_string(i);
  ASSERT_GT(text.size(), 10240u);
  CityBuilder city;
  city.Plain("Data/Streets.txt", {StreetRecord("Long", text, 150), StreetRecord("Next", "5 5", 1)});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  const LayerTable& t = f.Core.Tables.ListOfStreets;
  ASSERT_EQ(t.Count(), 2) << (f.Host.Messages.empty() ? "" : f.Host.Messages[0]);
  EXPECT_EQ(t[0].Cell(3), text);
  EXPECT_EQ(t[0].Cell(7), "0");
  EXPECT_EQ(t[0].Cell(8), "-149");
  EXPECT_EQ(t[0].Cell(9), "149");
  EXPECT_EQ(t[0].Cell(10), "0");
  EXPECT_EQ(t[1].Caption, "Next");
}

TEST(LoadStreets, NeitherFileNoRowsNoMessage) {
  CityBuilder city;
  CoreFixture f(city.DataRoot());
  f.Core.Tables.ListOfStreets.Add("old");
  LoadStreets(f.Core, city.Name());
  EXPECT_TRUE(f.Core.Tables.ListOfStreets.Empty());
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST(LoadStreets, FindsFilesWhoseNamesDifferInCase) {
  CityBuilder city;
  const fs::path file = city.Plain("DATA/STREETS.TXT", {StreetRecord("Upper", "1 2", 1)});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  ASSERT_EQ(f.Core.Tables.ListOfStreets.Count(), 1);
  EXPECT_EQ(f.Core.Tables.ListOfStreets[0].Cell(4), Cell(file));
}

TEST(LoadStreets, AFolderBearingTheScrambledNameCountsAsAbsent) {
  CityBuilder city;
  city.Folder("Data/Streets.crpt");
  city.Plain("Data/Streets.txt", {StreetRecord("Plain", "1 2", 1)});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  ASSERT_EQ(f.Core.Tables.ListOfStreets.Count(), 1);
  EXPECT_EQ(f.Core.Tables.ListOfStreets[0].Caption, "Plain");
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST(LoadStreets, NonIntegerPointCountStopsAtThatRecordWithOneMessage) {
  CityBuilder city;
  const fs::path file = city.Plain("Data/Streets.txt", {StreetRecord("A", "1 2", 1), StreetRecord("B", "1 2", 1),
                                                         {"C", "x", "3", "x", "1 2"}, StreetRecord("D", "1 2", 1)});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  EXPECT_EQ(f.Core.Tables.ListOfStreets.Count(), 2);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0],
            "Файл " + file.string() + ", запись 3: количество точек «x» не является целым числом.");
}

TEST(LoadStreets, WidthThatIsNotAnIntegerStops) {
  CityBuilder city;
  const fs::path file = city.Scrambled("Data/Streets.crpt", {StreetRecord("A", "1 2", 1, "wide")});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  EXPECT_TRUE(f.Core.Tables.ListOfStreets.Empty());
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + file.string() + ", запись 1: ширина «wide» не является целым числом.");
}

TEST(LoadStreets, MoreThan150PointsOrFewerPairsThanCountStop) {
  CityBuilder city;
  const fs::path file = city.Plain("Data/Streets.txt", {StreetRecord("A", PointsText(151, 0), 151)});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  EXPECT_TRUE(f.Core.Tables.ListOfStreets.Empty());
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0],
            "Файл " + file.string() + ", запись 1: количество точек 151 вне пределов от 0 до 150.");

  CityBuilder other;
  const fs::path second = other.Plain("Data/Streets.txt", {StreetRecord("A", "1 2", 1), StreetRecord("B", "1 2 3", 2)});
  CoreFixture g(other.DataRoot());
  LoadStreets(g.Core, other.Name());
  EXPECT_EQ(g.Core.Tables.ListOfStreets.Count(), 1);
  ASSERT_EQ(g.Host.Messages.size(), 1u);
  EXPECT_EQ(g.Host.Messages[0], "Файл " + second.string() +
                                    ", запись 2: в списке точек меньше пар, чем указано: 1 из 2.");
}

TEST(LoadStreets, CountLargerThanTheRecordsPresentKeepsTheRecordsRead) {
  CityBuilder city;
  const fs::path file = city.Raw("Data/Streets.txt", "3\r\nA\r\nT\r\n1\r\n1\r\n5 6\r\n");
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  EXPECT_EQ(f.Core.Tables.ListOfStreets.Count(), 1);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0],
            "Файл " + file.string() + ", запись 2: записи нет: файл кончается раньше (указано записей: 3).");
}

TEST(LoadStreets, HugeDeclaredCountsAndBodiesAreRefusedWithoutAllocating) {
  CityBuilder city;
  std::string bytes = ScrambledLayerBytes({StreetRecord("A", "1 2", 1)});
  bytes[0] = '\x00'; bytes[1] = '\x94'; bytes[2] = '\x35'; bytes[3] = '\x77';  // 2,000,000,000 records
  const fs::path file = city.Raw("Data/Streets.crpt", bytes);
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  EXPECT_EQ(f.Core.Tables.ListOfStreets.Count(), 1);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + file.string() +
                                    ", запись 2: записи нет: файл кончается раньше (указано записей: 2000000000).");

  std::string longBody = ScrambledLayerBytes({StreetRecord("A", "1 2", 1)});
  longBody[4] = '\xFF'; longBody[5] = '\xFF'; longBody[6] = '\xFF'; longBody[7] = '\x7F';
  const fs::path second = city.Raw("Data/Streets.crpt", longBody);
  CoreFixture g(city.DataRoot());
  LoadStreets(g.Core, city.Name());
  EXPECT_TRUE(g.Core.Tables.ListOfStreets.Empty());
  ASSERT_EQ(g.Host.Messages.size(), 1u);
  EXPECT_EQ(g.Host.Messages[0],
            "Файл " + second.string() + ": длина данных 2147483647 больше допустимой (102400).");
}

TEST(LoadStreets, NonPointFieldLongerThanTheBlockStops) {
  CityBuilder city;
  const fs::path file =
      city.Plain("Data/Streets.txt", {StreetRecord("A", "1 2", 1), StreetRecord(std::string(10240, 'n'), "1 2", 1)});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core, city.Name());
  EXPECT_EQ(f.Core.Tables.ListOfStreets.Count(), 1);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + file.string() + ", запись 2: поле 1 (название) длиннее 10239 байт.");
}

TEST(LoadStreets, AnotherMaskIsDetected) {
  CityBuilder city;
  city.Scrambled("Data/Streets.crpt", {StreetRecord("Маска", "1 2", 1)}, 0x11);
  CoreFixture f(city.DataRoot());
  LoadCity(f.Core, city.Name(), "Town");
  ASSERT_EQ(f.Core.Tables.ListOfStreets.Count(), 1);
  EXPECT_EQ(f.Core.Tables.ListOfStreets[0].Caption, W("Маска"));
}

TEST(LoadBuildings, BothVariantsFillTenColumns) {
  for (const bool scrambled : {false, true}) {
    CityBuilder city;
    const std::vector<LayerRecord> records{{W("Мира"), "12", W("Школа"), "3", "0 0 10 0 10 -20"},
                                           {W("Мира"), "12", W("Школа"), "0", " "}};
    const fs::path file = scrambled ? city.Scrambled("Data/Buildings.crpt", records)
                                    : city.Plain("Data/Buildings.txt", records);
    CoreFixture f(city.DataRoot());
    LoadBuildings(f.Core, city.Name());
    const LayerTable& t = f.Core.Tables.ListOfBuildings;
    ASSERT_EQ(t.Count(), 2);  // same address twice: two rows
    EXPECT_EQ(Row(t, 0), (std::vector<std::string>{W("Мира"), "12", W("Школа"), "3", "0 0 10 0 10 -20", Cell(file),
                                                   "0", "-20", "10", "0"}));
    EXPECT_EQ(Row(t, 1), (std::vector<std::string>{W("Мира"), "12", W("Школа"), "0", " ", Cell(file), "0", "0", "0",
                                                   "0"}));
    EXPECT_EQ(f.Core.Extents.MapMinY, -20);
  }
}

TEST(LoadBuildings, OneBadCoordinateStopsTheLayer) {
  CityBuilder city;
  const fs::path file = city.Scrambled("Data/Buildings.crpt", {{"S", "1", "N", "2", "1 2 3 y"}});
  CoreFixture f(city.DataRoot());
  LoadBuildings(f.Core, city.Name());
  EXPECT_TRUE(f.Core.Tables.ListOfBuildings.Empty());
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + file.string() +
                                    ", запись 1: координата «y» в списке точек не является целым числом.");
}
