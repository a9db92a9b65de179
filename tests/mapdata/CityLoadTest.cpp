#include <gtest/gtest.h>

#include "mapdata/CityMask.h"
#include "shell/LoadCity.h"
#include "support/CityBuilder.h"
#include "mapdata/NativeName.h"

TEST(CityLoad, ACityWithoutDataFilesLoadsSilently) {
  CityBuilder city;
  city.About("Пусто");
  CoreFixture f(city.DataRoot());
  LoadCity(f.Core, city.Name(), W("Пусто"));
  EXPECT_TRUE(f.Host.Messages.empty());
  const MapExtents& e = f.Core.Extents;
  EXPECT_EQ(e.MapMinX, 0);
  EXPECT_EQ(e.MapMinY, 0);
  EXPECT_EQ(e.MapMaxX, 0);
  EXPECT_EQ(e.MapMaxY, 0);
  EXPECT_EQ(f.Core.Progress.Progress2Position, 10);
  const CityTables& t = f.Core.Tables;
  for (const LayerTable* table : t.DataTables()) EXPECT_TRUE(table->Empty()) << table->Name();
}

TEST(CityLoad, ASecondCityLeavesNoRowOfTheFirst) {
  CityBuilder first("First");
  first.Plain("Data/Streets.txt", {StreetRecord("Old", "100 100", 1)});
  first.Plain("Data/Path.txt", {{"T", "N", "C", "1", "1 1"}});
  first.Plain("Data/Texts.txt", {{"L", "1", "1 1"}});
  first.Plain("Data/Regions.txt", {{"R", "1", "1 1", " ", " "}});
  CoreFixture f(first.DataRoot());
  LoadCity(f.Core, first.Name(), "First");
  EXPECT_EQ(f.Core.Tables.ListOfStreets.Count(), 1);
  EXPECT_EQ(f.Core.Extents.MapMaxX, 100);

  const fs::path second = f.Core.DataRoot / "Second";
  fs::create_directories(second);
  LoadCity(f.Core, "Second", "Second");
  const CityTables& t = f.Core.Tables;
  for (const LayerTable* table : t.DataTables()) EXPECT_TRUE(table->Empty()) << table->Name();
  EXPECT_EQ(f.Core.Extents.MapMaxX, 0);
}

// A city opens framed in the same place whether it is the first of the
// session or follows another.
TEST(CityLoad, EveryLoadFramesTheCityAsTheFirstLoadDoes) {
  CityBuilder first("First");
  first.Plain("Data/Streets.txt", {StreetRecord("Old", "100 100 300 300", 1)});
  const fs::path second = first.DataRoot() / "Second";
  fs::create_directories(second);
  CoreFixture fresh(first.DataRoot());
  LoadCity(fresh.Core, "Second", "Second");
  CoreFixture after(first.DataRoot());
  LoadCity(after.Core, first.Name(), "First");
  after.Core.View.OffsetX += 123;  // the first city dragged about
  LoadCity(after.Core, "Second", "Second");
  EXPECT_EQ(after.Core.View.OffsetX, fresh.Core.View.OffsetX);
  EXPECT_EQ(after.Core.View.OffsetY, fresh.Core.View.OffsetY);
  EXPECT_EQ(after.Core.View.Scale, 1.0f);
  EXPECT_EQ(fresh.Core.View.OffsetX, 500 - fresh.Core.View.ScreenWidth);
}

namespace {

// The body length of a scrambled file (at `at` in its header) after cutting
// `bytes` off its end.
std::string CutBody(std::string file, size_t at, size_t bytes) {
  file.resize(file.size() - bytes);
  const uint32_t length = static_cast<uint32_t>(file.size() - at - 4);
  for (size_t i = 0; i < 4; ++i) file[at + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  return file;
}

}  // namespace

// The mask is the city's: the configured one, or the one its well-formed
// scrambled files agree on.  A file that does not end as it should under it is
// cut short, and is reported at its last record like any other.
TEST(CityLoad, TheCitysMaskReadsEveryFileAndACutFileKeepsItsFirstRecords) {
  for (const unsigned char mask : {kScrambleMask, static_cast<unsigned char>(kScrambleMask ^ 0x33)}) {
    CityBuilder city;
    city.Scrambled("Data/Streets.crpt", {StreetRecord("Ленина", "1 2", 1)}, mask);
    // The labels end in "34" without CR LF: some other mask makes "34" CR LF.
    const fs::path labels = city.Raw(
        "Data/Texts.crpt",
        CutBody(ScrambledLayerBytes({{"A", "10", "1 2"}, {"B", "10", "3 4"}, {"C", "10", "1 34"}}, mask), 4, 2));
    const LayerRecord firm{W("Кафе"), W("Мира"), "1", "5 6", W("еда")};
    city.Raw("Firms/a.crpt", ScrambledFirmBytes(firm, mask));
    const fs::path cut = city.Raw("Firms/b.crpt", CutBody(ScrambledFirmBytes(firm, mask), 0, 1));
    CoreFixture f(city.DataRoot());
    LoadCity(f.Core, city.Name(), "Town");
    const CityTables& t = f.Core.Tables;
    ASSERT_EQ(t.ListOfStreets.Count(), 1) << int{mask};
    EXPECT_EQ(t.ListOfStreets[0].Cell(kCaption), W("Ленина"));
    ASSERT_EQ(t.ListOfTexts.Count(), 2) << int{mask};
    EXPECT_EQ(t.ListOfTexts[1].Cell(kCaption), "B");
    ASSERT_EQ(t.ListOfFirms.Count(), 1) << int{mask};
    EXPECT_EQ(t.ListOfFirms[0].Cell(kCaption), W("Кафе"));
    EXPECT_EQ(f.Host.Messages,
              (std::vector<std::string>{
                  "Файл " + NativeString(cut) +
                      ", запись 1: файл кончается внутри поля 5 (ключевые слова): нет завершающего перевода строки.",
                  "Файл " + NativeString(labels) +
                      ", запись 3: файл кончается внутри поля 3 (координаты): нет завершающего перевода строки."}));
  }
}

// A coordinate that is not a number is named so, also where it ends the list; a
// list of numbers that stops short is told to be short.
TEST(CityLoad, ACoordinateThatIsNoNumberIsNamedAsSuch) {
  CityBuilder city;
  const fs::path firm = city.Raw("Firms/f.txt", PlainFirmBytes({"F", "S", "1", "bad", "k"}));
  const fs::path streets = city.Plain("Data/Streets.txt", {StreetRecord("A", "1 2 bad", 2)});
  const fs::path routes = city.Plain("Data/Path.txt", {{"T", "N", "C", "2", "1 2 3"}});
  const fs::path labels = city.Plain("Data/Texts.txt", {{"L", "10", "bad"}});
  CoreFixture f(city.DataRoot());
  LoadCity(f.Core, city.Name(), "Town");
  const std::string notANumber = ", запись 1: координата «bad» в списке точек не является целым числом.";
  EXPECT_EQ(f.Host.Messages,
            (std::vector<std::string>{"Файл " + NativeString(firm) + notANumber, "Файл " + NativeString(streets) + notANumber,
                                      "Файл " + NativeString(routes) +
                                          ", запись 1: в списке точек меньше пар, чем указано: 1 из 2.",
                                      "Файл " + NativeString(labels) + notANumber}));
}

TEST(CityScrambleMask, TheMaskMostWellFormedFilesAgreeOnOrTheConfiguredOne) {
  const auto a = static_cast<unsigned char>(kScrambleMask ^ 0x33), b = static_cast<unsigned char>(kScrambleMask ^ 0x44);
  const char* const layers[] = {"Data/Streets.crpt", "Data/Texts.crpt", "Data/Regions.crpt"};
  struct Case {
    std::vector<unsigned char> layerMasks, firmMasks;
    unsigned char expected;
  };
  for (const Case& c : {Case{{}, {}, kScrambleMask}, Case{{a}, {}, a}, Case{{}, {a}, a}, Case{{a, b}, {b}, b},
                        Case{{a}, {kScrambleMask}, kScrambleMask}}) {
    CityBuilder city;
    for (size_t i = 0; i < c.layerMasks.size(); ++i)
      city.Scrambled(layers[i], {{"A", "10", "1 2"}}, c.layerMasks[i]);
    for (size_t i = 0; i < c.firmMasks.size(); ++i)
      city.Raw("Firms/f" + std::to_string(i) + ".crpt", ScrambledFirmBytes({"F", "S", "1", "1 2", "k"}, c.firmMasks[i]));
    // A firm cut short has one LF too few and votes for no mask.
    city.Raw("Firms/cut.crpt", CutBody(ScrambledFirmBytes({"F", "S", "1", "1 2", "k"}, b), 0, 1));
    EXPECT_EQ(int{CityScrambleMask(CityLocation{city.DataRoot(), city.Name()})}, int{c.expected});
  }
}
