#include <gtest/gtest.h>

#include "mapdata/Loaders.h"
#include "support/CityBuilder.h"

namespace {

std::vector<std::string> Row(const LayerTable& table, int index) {
  std::vector<std::string> cells{table[index].Caption};
  for (const std::string& c : table[index].SubItems) cells.push_back(c);
  return cells;
}

LayerRecord Route(const std::string& name, const std::string& count, const std::string& points) {
  return {W("Автобус"), name, W("до вокзала"), count, points};
}

}  // namespace

TEST(ReadRoutes, BothVariantsFillTheTwoParallelTables) {
  for (const bool scrambled : {false, true}) {
    CityBuilder city;
    const std::vector<LayerRecord> records{Route("5", "2", "1 2 -3 40"), Route("5", "0", " ")};
    if (scrambled)
      city.Scrambled("Data/Path.crpt", records);
    else
      city.Plain("Data/Path.txt", records);
    CoreFixture f(city.DataRoot());
    if (scrambled)
      LoadRoutes(f.Core.Loading(city.Name()));
    else
      LoadRoutes(f.Core.Loading(city.Name()));
    const CityTables& t = f.Core.Tables;
    ASSERT_EQ(t.ListOfPath1.Count(), 2);
    ASSERT_EQ(t.ListOfPath2.Count(), 2);
    EXPECT_EQ(Row(t.ListOfPath2, 0), (std::vector<std::string>{W("Автобус"), "5", W("до вокзала")}));
    EXPECT_EQ(Row(t.ListOfPath2, 1), Row(t.ListOfPath2, 0));  // same route twice: two rows
    EXPECT_EQ(Row(t.ListOfPath1, 0), (std::vector<std::string>{"2", "1 2 -3 40", "-3", "2", "1", "40"}));
    EXPECT_EQ(Row(t.ListOfPath1, 1), (std::vector<std::string>{"0", " ", "0", "0", "0", "0"}));
    EXPECT_EQ(f.Core.Extents.MapMinX, -3);
    EXPECT_EQ(f.Core.Extents.MapMaxY, 40);
  }
}

TEST(ReadRoutes, ABadRecordKeepsBothTablesTheSameLength) {
  CityBuilder city;
  const fs::path file = city.Plain("Data/Path.txt", {Route("1", "1", "0 0"), Route("2", "one", "0 0")});
  CoreFixture f(city.DataRoot());
  LoadRoutes(f.Core.Loading(city.Name()));
  EXPECT_EQ(f.Core.Tables.ListOfPath1.Count(), 1);
  EXPECT_EQ(f.Core.Tables.ListOfPath2.Count(), 1);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0],
            "Файл " + file.string() + ", запись 2: количество точек «one» не является целым числом.");
}

TEST(ReadRoutes, AScrambledBodyEndingInsideARecordStopsThere) {
  CityBuilder city;
  std::string body;
  for (const std::string& field : Route("1", "1", "0 0")) body += field + "\r\n";
  body += W("Трамвай") + "\r\n7\r\n";  // the second record has only two fields
  std::string bytes = ScrambledLayerBytes({});
  bytes[0] = 2;
  bytes[4] = static_cast<char>(body.size());
  for (char c : body) bytes.push_back(static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleMask));
  const fs::path file = city.Raw("Data/Path.crpt", bytes);
  CoreFixture f(city.DataRoot());
  LoadRoutes(f.Core.Loading(city.Name()));
  EXPECT_EQ(f.Core.Tables.ListOfPath1.Count(), 1);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + file.string() +
                                    ", запись 2: файл кончается посреди записи: нет поля 3 (комментарий).");
}

TEST(ReadLabels, BothVariantsTakeTheFirstPairOfThePosition) {
  for (const bool scrambled : {false, true}) {
    CityBuilder city;
    const std::vector<LayerRecord> records{{W("Центр"), "2", "-10 -20 99 99"}, {"B", "1", "5 6"}};
    if (scrambled)
      city.Scrambled("Data/Texts.crpt", records);
    else
      city.Plain("Data/Texts.txt", records);
    CoreFixture f(city.DataRoot());
    f.Core.Tables.ListOfTexts.Add("old");
    if (scrambled)
      LoadLabels(f.Core.Loading(city.Name()));
    else
      LoadLabels(f.Core.Loading(city.Name()));
    const LayerTable& t = f.Core.Tables.ListOfTexts;
    ASSERT_EQ(t.Count(), 2);
    EXPECT_EQ(Row(t, 0), (std::vector<std::string>{W("Центр"), "2", "-10 -20 99 99", "-10", "-20"}));
    EXPECT_EQ(Row(t, 1), (std::vector<std::string>{"B", "1", "5 6", "5", "6"}));
    EXPECT_EQ(f.Core.Extents.MapMinX, -10);
    EXPECT_EQ(f.Core.Extents.MapMinY, -20);
    EXPECT_EQ(f.Core.Extents.MapMaxX, 5);
  }
}

TEST(ReadLabels, MissingFileEmptiesTheTableSilently) {
  CityBuilder city;
  CoreFixture f(city.DataRoot());
  f.Core.Tables.ListOfTexts.Add("old");
  LoadLabels(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfTexts.Empty());
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST(ReadLabels, ASizeOrPositionThatIsNotAnIntegerStops) {
  CityBuilder city;
  const fs::path file = city.Plain("Data/Texts.txt", {{"A", "big", "1 2"}});
  CoreFixture f(city.DataRoot());
  LoadLabels(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfTexts.Empty());
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + file.string() + ", запись 1: размер «big» не является целым числом.");

  CityBuilder other;
  const fs::path second = other.Scrambled("Data/Texts.crpt", {{"A", "1", "1 2"}, {"B", "1", "12"}});
  CoreFixture g(other.DataRoot());
  LoadLabels(g.Core.Loading(other.Name()));
  EXPECT_EQ(g.Core.Tables.ListOfTexts.Count(), 1);
  ASSERT_EQ(g.Host.Messages.size(), 1u);
  EXPECT_EQ(g.Host.Messages[0],
            "Файл " + second.string() + ", запись 2: в списке точек меньше пар, чем указано: 0 из 1.");
}

TEST(ReadLabels, CountLineThatIsNotAnIntegerIsAProblemOfTheWholeFile) {
  CityBuilder city;
  const fs::path file = city.Raw("Data/Texts.txt", "many\r\nA\r\n1\r\n1 2\r\n");
  CoreFixture f(city.DataRoot());
  LoadLabels(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfTexts.Empty());
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + file.string() + ": количество записей «many» не является целым числом.");
}

TEST(ReadRegions, BothVariantsKeepTheNumberFieldsAsText) {
  for (const bool scrambled : {false, true}) {
    CityBuilder city;
    const std::vector<LayerRecord> records{{W("Леса, парки"), "3", "0 0 10 0 5 8", W("два"), "x y"},
                                           {W("Неизвестно"), "0", " ", " ", " "}};
    if (scrambled)
      city.Scrambled("Data/Regions.crpt", records);
    else
      city.Plain("Data/Regions.txt", records);
    CoreFixture f(city.DataRoot());
    if (scrambled)
      LoadRegions(f.Core.Loading(city.Name()));
    else
      LoadRegions(f.Core.Loading(city.Name()));
    const LayerTable& t = f.Core.Tables.ListOfRegions;
    ASSERT_EQ(t.Count(), 2);
    EXPECT_EQ(Row(t, 0),
              (std::vector<std::string>{W("Леса, парки"), "3", "0 0 10 0 5 8", W("два"), "x y", "0", "0", "10", "8"}));
    EXPECT_EQ(Row(t, 1), (std::vector<std::string>{W("Неизвестно"), "0", " ", " ", " ", "0", "0", "0", "0"}));
    EXPECT_TRUE(f.Host.Messages.empty());
  }
}

TEST(ReadRegions, CountZeroOrNegativeGivesNoRows) {
  CityBuilder city;
  city.Raw("Data/Regions.txt", "-2\r\n");
  CoreFixture f(city.DataRoot());
  LoadRegions(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfRegions.Empty());
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST(ReadRegions, ABodyLongerThanTheFileIsRefused) {
  CityBuilder city;
  std::string bytes = ScrambledLayerBytes({{"T", "1", "1 1", " ", " "}});
  bytes.resize(bytes.size() - 4);
  const fs::path file = city.Raw("Data/Regions.crpt", bytes);
  CoreFixture f(city.DataRoot());
  LoadRegions(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfRegions.Empty());
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + file.string() + ": длина данных 17 больше, чем осталось в файле (13 байт).");
}
