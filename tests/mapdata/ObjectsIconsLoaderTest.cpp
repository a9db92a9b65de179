#include <gtest/gtest.h>

#include "mapdata/Cp1251.h"
#include "mapdata/Loaders.h"
#include "shell/LoadCity.h"
#include "support/CityBuilder.h"
#include "support/PictureFiles.h"
#include "mapdata/NativeName.h"

namespace {

class ObjectsAndIcons : public ::testing::Test {
 protected:
  void SetUp() override { UsePictureDecoders(); }

  void Icon(const std::string& name, QColor colour) const { city.Raw("Icons/" + name, IcoBytes(SolidImage(20, 20, colour))); }

  void Load(CoreFixture& f) const {
    LoadObjectIcons(f.Core.Loading(city.Name()));
    LoadObjects(f.Core.Loading(city.Name()));
  }
  // The whole city load, which also sets the chooser's text and the filter.
  void LoadCityOf(CoreFixture& f) const { LoadCity(f.Core, city.Name(), "Town"); }

  static std::vector<std::string> Captions(const MapCore& core) {
    std::vector<std::string> out;
    for (const ObjectKindEntry& e : core.Tables.ObjectComboBox) out.push_back(cp1251::ToUtf8(e.Caption));
    return out;
  }

  static QRgb Centre(const QImage& image) { return image.pixel(10, 10) & 0xFFFFFF; }

  CityBuilder city;
};

LayerRecord Object(const std::string& kind, const std::string& point, const std::string& icon) {
  return {W(kind), W("Ленина"), "1", W("Название"), point, icon};
}

}  // namespace

TEST_F(ObjectsAndIcons, OnlyThePlaceholderGivesOneIconNamedAll) {
  Icon("Empt.ico", Qt::red);
  city.Plain("Data/Objects.txt", {Object("Школа", "1 2", "0")});
  CoreFixture f(city.DataRoot());
  LoadCityOf(f);
  ASSERT_EQ(f.Core.Tables.ImageListObject.size(), 1u);
  EXPECT_EQ(Captions(f.Core), (std::vector<std::string>{"Все"}));
  EXPECT_EQ(f.Core.Tables.ObjectComboBox[0].ImageIndex, -1);
  EXPECT_EQ(cp1251::ToUtf8(f.Core.Ui.ObjectComboBoxText), "Все");
}

TEST_F(ObjectsAndIcons, AMissingNumberTakesThePlaceholder) {
  Icon("0.ico", Qt::red);
  Icon("2.ico", Qt::blue);
  Icon("Empt.ico", Qt::green);
  CoreFixture f(city.DataRoot());
  LoadObjectIcons(f.Core.Loading(city.Name()));
  const std::vector<QImage>& icons = f.Core.Tables.ImageListObject;
  ASSERT_EQ(icons.size(), 3u);
  EXPECT_EQ(Centre(icons[0]), 0xFF0000u);
  EXPECT_EQ(Centre(icons[1]), 0x00FF00u);  // no 1.ico
  EXPECT_EQ(Centre(icons[2]), 0x0000FFu);
  EXPECT_EQ(Captions(f.Core), (std::vector<std::string>{"***", "***", "***"}));
  EXPECT_EQ(f.Core.Tables.ObjectComboBox[2].ImageIndex, 2);
}

TEST_F(ObjectsAndIcons, ProgressStopsAt29WhileMoreIconsLoad) {
  for (int i = 0; i < 34; ++i) Icon(std::to_string(i) + ".ico", Qt::red);
  Icon("Empt.ico", Qt::green);
  CoreFixture f(city.DataRoot());
  f.Core.Progress.SetProgress1(10, 4);
  LoadObjectIcons(f.Core.Loading(city.Name()));
  EXPECT_EQ(f.Core.Tables.ImageListObject.size(), 35u);
  EXPECT_EQ(f.Core.Progress.Progress1Max, 29);
  EXPECT_EQ(f.Core.Progress.Progress1Position, 29);
  EXPECT_EQ(f.Host.CityRepaints, 35);
}

TEST_F(ObjectsAndIcons, ProgressCountsOnFromWhereItWas) {
  Icon("0.ico", Qt::red);
  Icon("Empt.ico", Qt::green);
  CoreFixture f(city.DataRoot());
  f.Core.Progress.SetProgress1(10, 4);
  LoadObjectIcons(f.Core.Loading(city.Name()));
  EXPECT_EQ(f.Core.Progress.Progress1Position, 6);
}

TEST_F(ObjectsAndIcons, UpperCaseExtensionAddsNeitherIconNorEntry) {
  Icon("0.ico", Qt::red);
  Icon("1.ICO", Qt::blue);
  Icon("Empt.ico", Qt::green);
  CoreFixture f(city.DataRoot());
  LoadObjectIcons(f.Core.Loading(city.Name()));
  ASSERT_EQ(f.Core.Tables.ImageListObject.size(), 2u);
  EXPECT_EQ(f.Core.Tables.ObjectComboBox.size(), 2u);
  // Icon 1 is looked up as "1.ico", which names 1.ICO on a case-blind lookup.
  EXPECT_EQ(Centre(f.Core.Tables.ImageListObject[1]), 0x0000FFu);
}

TEST_F(ObjectsAndIcons, AnUndecodableIconIsReplacedByThePlaceholder) {
  city.Raw("Icons/0.ico", "not an icon");
  Icon("Empt.ico", Qt::green);
  CoreFixture f(city.DataRoot());
  LoadObjectIcons(f.Core.Loading(city.Name()));
  ASSERT_EQ(f.Core.Tables.ImageListObject.size(), 2u);
  EXPECT_EQ(Centre(f.Core.Tables.ImageListObject[0]), 0x00FF00u);
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST_F(ObjectsAndIcons, LargerIconsAreBroughtTo20x20) {
  city.Raw("Icons/0.ico", IcoBytes(SolidImage(32, 32, Qt::red)));
  CoreFixture f(city.DataRoot());
  LoadObjectIcons(f.Core.Loading(city.Name()));
  ASSERT_EQ(f.Core.Tables.ImageListObject.size(), 1u);
  EXPECT_EQ(f.Core.Tables.ImageListObject[0].size(), QSize(20, 20));
}

TEST_F(ObjectsAndIcons, NoIconsFolderNoEntries) {
  city.Plain("Data/Objects.txt", {Object("Школа", "1 2", "0")});
  CoreFixture f(city.DataRoot());
  Load(f);
  EXPECT_TRUE(f.Core.Tables.ObjectComboBox.empty());
  EXPECT_EQ(f.Core.Tables.ListOfObjects.Count(), 1);
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST_F(ObjectsAndIcons, ObjectsNameTheirKindsAndTheLastEntryReadsAll) {
  for (int i = 0; i < 3; ++i) Icon(std::to_string(i) + ".ico", Qt::red);
  Icon("Empt.ico", Qt::green);
  const fs::path file = city.Plain(
      "Data/Objects.txt", {Object("Школа", "10 20 30 40", "0"), Object("Аптека", "-5 3", "2"),
                           Object("Больница", "7 8", "0"), Object("Парк", "1 1", "3"), Object("Чужой", "2 2", "99")});
  CoreFixture f(city.DataRoot());
  Load(f);
  EXPECT_EQ(Captions(f.Core), (std::vector<std::string>{"Больница", "***", "Аптека", "Все"}));
  EXPECT_EQ(f.Core.Tables.ObjectComboBox[3].ImageIndex, -1);
  const LayerTable& t = f.Core.Tables.ListOfObjects;
  ASSERT_EQ(t.Count(), 5);
  EXPECT_EQ(t[0].Cell(kCaption), W("Школа"));
  EXPECT_EQ(t[0].SubItems(), (std::vector<std::string>{W("Ленина"), "1", W("Название"), "10 20 30 40",
                                                      cp1251::FromUtf8(NativeString(file)), "0", "10", "20"}));
  EXPECT_EQ(t[1].Cell(object_cell::X), "-5");
  EXPECT_EQ(t[1].Cell(object_cell::Y), "3");
  EXPECT_EQ(f.Core.Extents.MapMinX, -5);
  EXPECT_EQ(f.Core.Extents.MapMaxX, 10);
  EXPECT_EQ(f.Core.Extents.MapMaxY, 20);
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST_F(ObjectsAndIcons, ScrambledObjectsWinAndNameTheCrptFile) {
  Icon("Empt.ico", Qt::green);
  city.Plain("Data/Objects.txt", {Object("Plain", "1 2", "0")});
  const fs::path crpt = city.Scrambled("Data/Objects.crpt", {Object("Scrambled", "3 4", "0")});
  CoreFixture f(city.DataRoot());
  Load(f);
  ASSERT_EQ(f.Core.Tables.ListOfObjects.Count(), 1);
  EXPECT_EQ(f.Core.Tables.ListOfObjects[0].Cell(kCaption), "Scrambled");
  EXPECT_EQ(f.Core.Tables.ListOfObjects[0].Cell(object_cell::File), cp1251::FromUtf8(NativeString(crpt)));
}

TEST_F(ObjectsAndIcons, NoObjectFileLeavesTheEntriesUnnamed) {
  Icon("0.ico", Qt::red);
  Icon("Empt.ico", Qt::green);
  CoreFixture f(city.DataRoot());
  f.Core.Ui.ObjectComboBoxText = W("Все");  // from an earlier city
  LoadCityOf(f);
  EXPECT_EQ(Captions(f.Core), (std::vector<std::string>{"***", "***"}));
  EXPECT_EQ(f.Core.Ui.ObjectComboBoxText, "");
}

TEST_F(ObjectsAndIcons, AnIconIndexThatIsNotAnIntegerStops) {
  Icon("Empt.ico", Qt::green);
  const fs::path file = city.Plain("Data/Objects.txt", {Object("A", "1 2", "0"), Object("B", "1 2", "first")});
  CoreFixture f(city.DataRoot());
  Load(f);
  EXPECT_EQ(f.Core.Tables.ListOfObjects.Count(), 1);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0],
            "Файл " + NativeString(file) + ", запись 2: номер значка «first» не является целым числом.");
}
