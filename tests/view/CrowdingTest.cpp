// What gives way on a crowded map: icons to those drawn before them, house
// numbers to labels and numbers, place names of an overview to each other;
// "Все значки" draws everything where it lies.
#include <gtest/gtest.h>

#include <vector>

#include "render/RenderFixture.h"
#include "support/StyleColours.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

using Crowding_ = RenderFixture;

struct IconCase {
  float Scale;
  int Apart;      // pixels between the two icons' centres, along x
  bool AllIcons;  // "Все значки"
  bool SecondDrawn;
};

class IconsGiveWay : public RenderFixture, public ::testing::WithParamInterface<IconCase> {};

// Two icons in picture row 100, the blue one drawn after the red one.
TEST_P(IconsGiveWay, SecondIconDrawnOnlyWhereItDoesNotCrowdTheFirst) {
  const IconCase& c = GetParam();
  core.Tables.ImageListObject = {SolidIcon(kRed.rgb()), SolidIcon(kBlue.rgb())};
  auto mapUnits = [&](int pixels) { return static_cast<int>(pixels / c.Scale); };
  AddObjectRow(core, "Аптека", "Первая", 0, mapUnits(100), mapUnits(100));
  AddObjectRow(core, "Школа", "Вторая", 1, mapUnits(100 + c.Apart), mapUnits(100));
  core.Flags.AllIcons = c.AllIcons;
  SetView(c.Scale);
  Draw();
  EXPECT_EQ(CountPixels(QRect(90, 90, 20, 20), kRed) > 0, true) << "the first is always drawn";
  EXPECT_EQ(Pixel(100 + c.Apart + 8, 100) == kBlue, c.SecondDrawn)
      << c.Apart << " pixels apart at " << c.Scale << (c.AllIcons ? ", every icon" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Icons, IconsGiveWay,
    ::testing::Values(IconCase{1.0f, 5, false, false},   // would cover 3/4 of the first
                      IconCase{1.0f, 12, false, true},   // covers 2/5: drawn, as ever
                      IconCase{1.0f, 5, true, true},
                      IconCase{4.0f, 8, false, false}, IconCase{4.0f, 20, false, true},
                      IconCase{0.5f, 18, false, false},  // down to 50% no overlap at all
                      IconCase{0.5f, 20, false, true},
                      IconCase{0.25f, 26, false, false},  // spacing 28 at 25%
                      IconCase{0.25f, 30, false, true},
                      IconCase{0.25f, 4, true, true}));

// A grid of icons 10 pixels apart filling the picture, as an overview of a
// dense city shows them: thinned, they cover about a fifth of it at 10%
// (spacing 45 pixels: 1 icon in 50 x 50); with "Все значки" all of it.
TEST_F(Crowding_, DenseIconsCoverTheScalesShareOfTheOverview) {
  core.Tables.ImageListObject = {SolidIcon(kRed.rgb())};
  const float scale = 0.1f;
  for (int y = 10; y < 300; y += 10)
    for (int x = 10; x < 400; x += 10) AddObjectRow(core, "Кафе", "Кафе", 0, x * 10, y * 10);
  SetView(scale);
  Draw();
  const double thinned = CountPixels(core.Map.rect(), kRed) / double(400 * 300);
  EXPECT_GT(thinned, 0.1);
  EXPECT_LE(thinned, 0.2);
  core.Flags.AllIcons = true;
  Draw();
  EXPECT_GT(CountPixels(core.Map.rect(), kRed) / double(400 * 300), 0.95);
}

TEST_F(Crowding_, FoundFirmsAreDrawnOverCrowdedIcons) {
  core.Tables.ImageListObject = {SolidIcon(kRed.rgb())};
  core.Tables.FirmsImageList = {SolidIcon(kBlue.rgb()), SolidIcon(kBlue.rgb())};  // a picture per firm
  AddObjectRow(core, "Кафе", "Первое", 0, 400, 400);
  AddObjectRow(core, "Кафе", "Второе", 0, 440, 400);
  AddFirmRow(core, "Кафе", 440, 400);
  AddFirmRow(core, "Кафе", 460, 400);
  core.Search.FoundFirms.Add("0");
  core.Search.FoundFirms.Add("1");
  core.Flags.SetShown(DrawCode::Firm, true);
  SetView(0.25f);
  Draw();
  EXPECT_EQ(Pixel(102, 100), kBlue) << "the first found firm, over the icon left out";
  EXPECT_EQ(Pixel(122, 100), kBlue) << "the second, 5 pixels beside it";
}

// At 400%: a number that would run under a label, or over another number, is
// left out; "Все значки" writes it.
TEST_F(Crowding_, HouseNumbersKeepOffLabelsAndEachOther) {
  Points square = {{10, 10}, {50, 10}, {50, 50}, {10, 50}};
  AddBuildingRow(core, "Ленина", "888", square);  // number at about (108, 112), 20 pixels wide
  AddLabelRow(core, "Ленина", 9, 30, 28);         // its box from (120, 112) on
  AddBuildingRow(core, "Мира", "8888", {{70, 10}, {74, 10}, {74, 14}, {70, 14}});
  AddBuildingRow(core, "Мира", "8888", {{76, 10}, {80, 10}, {80, 14}, {76, 14}});
  SetView(4.0f);
  const QRect underLabel(100, 105, 20, 25), secondNumber(305, 41, 14, 14);
  for (const bool allIcons : {false, true}) {
    core.Flags.AllIcons = allIcons;
    Draw();
    EXPECT_EQ(CountPixels(underLabel, kBlack) > 0, allIcons) << (allIcons ? "every number" : "giving way");
    EXPECT_EQ(CountPixels(secondNumber, kBlack) > 0, allIcons) << (allIcons ? "every number" : "giving way");
    EXPECT_GT(CountPixels(QRect(270, 38, 30, 16), kBlack), 0) << "the first of the two";
  }
}

// Labels up to size 10 keep the 8-point font; larger ones grow a point a size.
TEST_F(Crowding_, PlaceNamesAreWrittenLarger) {
  AddLabelRow(core, " Мира", 9, 20, 20);  // a space first: a column of box alone
  AddLabelRow(core, " Парк", 10, 120, 20);
  AddLabelRow(core, " Город", 14, 220, 20);
  Draw();
  const int street = RunLengthVertical(21, 15, 60, QColor(255, 255, 255));
  const int park = RunLengthVertical(121, 15, 60, LargeLabelBox());
  const int town = RunLengthVertical(221, 15, 60, LargeLabelBox());
  EXPECT_EQ(park, street);
  EXPECT_GT(town, street + 3);
}

// Below 50% the labels above size 10 are drawn, the largest first, none over
// one drawn before it.
TEST_F(Crowding_, OverviewNamesPlacesOnceEach) {
  AddLabelRow(core, "Заречный длинный район", 12, 50 * 4, 45 * 4);  // listed first, crosses the town's name
  AddLabelRow(core, "Город", 14, 40 * 4, 40 * 4);
  AddLabelRow(core, "Северный", 12, 40 * 4, 200 * 4);
  AddLabelRow(core, "Сквер", 10, 200 * 4, 100 * 4);
  AddLabelRow(core, "Мира", 9, 300 * 4, 100 * 4);
  SetView(0.25f);
  Draw();
  EXPECT_GT(CountPixels(QRect(40, 40, 30, 15), LargeLabelBox()), 100) << "the town";
  EXPECT_EQ(CountPixels(QRect(120, 45, 60, 10), LargeLabelBox()), 0) << "the district under the town's name";
  EXPECT_GT(CountPixels(QRect(40, 200, 30, 12), LargeLabelBox()), 100) << "a district clear of it";
  EXPECT_EQ(CountPixels(QRect(195, 95, 120, 20), LargeLabelBox()), 0) << "a square: too small";
  EXPECT_EQ(CountPixels(QRect(295, 95, 60, 20), QColor(255, 255, 255)), 0) << "a street";
}

}  // namespace
