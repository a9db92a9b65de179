#include <gtest/gtest.h>

#include <stdexcept>

#include "mapdata/Cp1251.h"
#include "render/RenderFixture.h"
#include "support/StyleColours.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kBuilding(128, 128, 255);

Points Square(int x, int y, int side) { return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}; }

using RedrawView_ = RenderFixture;

TEST_F(RedrawView_, EmptyCityShowsOnlyTheBackground) {
  Draw();
  EXPECT_EQ(core.Map.size(), QSize(400, 300));
  EXPECT_EQ(CountPixels(core.Map.rect(), kBackground), 400 * 300);
}

TEST_F(RedrawView_, EachRegionTypeFillsWithItsColour) {
  const std::vector<std::pair<std::string, QColor>> types = {
      {"Жилая зона", {255, 177, 140}},          {"Промышленная и хозяйственная", {192, 192, 192}},
      {"В поселках жилого типа", {255, 247, 196}}, {"Рынки", {251, 125, 166}},
      {"Леса, парки", {176, 215, 142}},          {"Кладбища", {142, 196, 196}},
      {"Сады, виноградники", {124, 222, 137}},   {"Технические культуры", {0, 183, 105}},
      {"Спортивные площадки", {166, 202, 240}},  {"Водоемы", {162, 155, 247}},
      {"Площади", {243, 243, 243}}};
  for (size_t i = 0; i < types.size(); ++i) AddRegionRow(core, types[i].first, Square(10 + 30 * int(i), 10, 20));
  Draw();
  for (size_t i = 0; i < types.size(); ++i) {
    EXPECT_EQ(Pixel(20 + 30 * int(i), 20), types[i].second) << types[i].first;
    EXPECT_EQ(Pixel(10 + 30 * int(i), 20), types[i].second) << "outline in the fill colour";
  }
}

TEST_F(RedrawView_, UnknownRegionTypeTakesTheColoursLeftOnTheCanvas) {
  AddRegionRow(core, "Пустырь", Square(10, 10, 40));      // first: background on background
  AddRegionRow(core, "Рынки", Square(100, 10, 40));
  AddRegionRow(core, "жилая зона", Square(200, 10, 40));  // case matters for regions
  Draw();
  EXPECT_EQ(Pixel(30, 30), kBackground);
  EXPECT_EQ(Pixel(10, 30), kBackground);
  EXPECT_EQ(Pixel(220, 30), kWhite);
  EXPECT_EQ(Pixel(200, 30), kBlack);
}

TEST_F(RedrawView_, BuildingsAppearFromScaleTwo) {
  AddBuildingRow(core, "Ленина", "1", Square(10, 10, 20));
  SetView(1.9f);
  Draw();
  EXPECT_EQ(CountPixels(core.Map.rect(), kBuilding), 0);
  SetView(2.0f);
  Draw();
  EXPECT_EQ(Pixel(40, 40), kBuilding);
  EXPECT_EQ(Pixel(21, 40), kBuilding);
  // Without a region before it the outline is drawn in the background colour.
  EXPECT_EQ(Pixel(20, 40), kBackground);
  EXPECT_EQ(Pixel(19, 40), kBackground);
}

TEST_F(RedrawView_, BuildingOutlineIsBlackAfterARegion) {
  AddRegionRow(core, "Рынки", Square(150, 100, 20));
  AddBuildingRow(core, "Ленина", "1", Square(10, 10, 20));
  SetView(2.0f);
  Draw();
  EXPECT_EQ(Pixel(40, 40), kBuilding);
  EXPECT_EQ(Pixel(20, 40), kBlack);
  EXPECT_EQ(Pixel(60, 40), kBlack);
}

TEST_F(RedrawView_, ARegionOutsideThePictureStillLeavesThePenBlack) {
  AddRegionRow(core, "Рынки", Square(-5000, -5000, 20));
  AddBuildingRow(core, "Ленина", "1", Square(10, 10, 20));
  SetView(2.0f);
  Draw();
  EXPECT_EQ(Pixel(20, 40), kBlack);
}

TEST_F(RedrawView_, HouseNumbersOnlyFromScaleFour) {
  AddBuildingRow(core, "Ленина", "12", Square(10, 10, 40));
  const QRect inside(45, 45, 150, 150);
  SetView(3.5f);
  Draw();
  EXPECT_EQ(CountPixels(inside, kBlack), 0);
  EXPECT_GT(CountPixels(inside, kBuilding), 0);
  SetView(4.0f);
  Draw();
  const int black = CountPixels(inside, kBlack);
  EXPECT_GT(black, 5);
  // Written with a transparent background: no white box around the digits.
  EXPECT_EQ(CountPixels(inside, kWhite), 0);
  // Near the middle of the box (40..200 in pixels).
  EXPECT_GT(CountPixels(QRect(100, 100, 40, 40), kBlack), 0);
}

struct StreetCase {
  const char* Type;
  int Width;
  float Scale;
  QColor Color;
  int PenWidth;  // 0: not drawn
};

class StreetDrawing : public RenderFixture, public ::testing::WithParamInterface<StreetCase> {};

TEST_P(StreetDrawing, ColourAndPenWidth) {
  const StreetCase& c = GetParam();
  // A horizontal street through picture row 150 at every scale used here.
  SetView(c.Scale, 0, 0);
  const int y = static_cast<int>(150 / c.Scale);
  SetView(c.Scale, 0, static_cast<int>(y * static_cast<long double>(c.Scale)) - 150);
  AddStreetRow(core, "Улица", c.Type, c.Width, {{0, y}, {static_cast<int>(390 / c.Scale), y}});
  Draw();
  const int run = RunLengthVertical(200, 110, 190, c.Color);
  if (c.PenWidth == 0) {
    EXPECT_EQ(CountPixels(core.Map.rect(), kBackground), 400 * 300);
  } else {
    EXPECT_EQ(run, c.PenWidth) << c.Type << " width " << c.Width << " at " << c.Scale;
    EXPECT_EQ(Pixel(200, 150), c.Color);
  }
}

const QColor kGrey(128, 128, 128);
const QColor kBlue(0, 0, 255);

INSTANTIATE_TEST_SUITE_P(
    Streets, StreetDrawing,
    ::testing::Values(StreetCase{"Улица", 2, 1.0f, kWhite, 2}, StreetCase{"Улица", 2, 3.0f, kWhite, 6},
                      StreetCase{"Улица", 1, 0.5f, kWhite, 1},  // pen width 0: one pixel
                      StreetCase{"Улица", 3, 1.0f, kWhite, 2}, StreetCase{"Улица", 3, 2.5f, kWhite, 5},
                      StreetCase{"Улица", 6, 1.0f, kWhite, 3}, StreetCase{"Улица", 6, 2.0f, kWhite, 6},
                      StreetCase{"Улица", 0, 2.0f, kWhite, 0}, StreetCase{"ТРАССА", 0, 1.0f, kWhite, 2},
                      StreetCase{"трасса", 0, 3.0f, kWhite, 6}, StreetCase{"граница", 5, 1.0f, kBlack, 5},
                      StreetCase{"ГРАНИЦА", 5, 2.0f, kBlack, 10}, StreetCase{"ЖД", 2, 1.0f, kGrey, 2},
                      StreetCase{"жд", 4, 2.0f, kGrey, 8}, StreetCase{"Река", 4, 1.0f, kBlue, 4},
                      StreetCase{"РЕКА", 0, 2.0f, kBlue, 1}, StreetCase{"Мост", 5, 2.0f, kWhite, 10}));

const QColor kLabelWhite(255, 255, 255);
const QColor kLabelLarge(255, 241, 187);
const QColor kLabelYellow(255, 255, 0);

TEST_F(RedrawView_, LabelBoxesByModeAndSize) {
  AddLabelRow(core, "Мира", 9, 20, 20);
  AddLabelRow(core, "Ленина", 10, 20, 100);
  Draw();
  EXPECT_GT(CountPixels(QRect(20, 20, 30, 10), kLabelWhite), 40);
  EXPECT_GT(CountPixels(QRect(20, 20, 30, 10), kBlack), 5);  // the letters
  EXPECT_GT(CountPixels(QRect(20, 100, 30, 10), kLabelLarge), 40);
  EXPECT_EQ(Pixel(20, 19), kBackground);  // the box starts at the point
  EXPECT_EQ(Pixel(19, 20), kBackground);
  core.Interaction.Mode = InteractionMode::StreetSelect;
  Draw();
  EXPECT_GT(CountPixels(QRect(20, 20, 30, 10), kLabelYellow), 40);
  EXPECT_GT(CountPixels(QRect(20, 100, 30, 10), kLabelYellow), 40);
}

struct LabelCase {
  int Size;
  float Scale;
  bool Drawn;
};

class LabelLegibility : public RenderFixture, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(LabelLegibility, DrawnOnlyWhenLegible) {
  const LabelCase& c = GetParam();
  AddLabelRow(core, "Надпись", c.Size, 40, 40);
  SetView(c.Scale);
  Draw();
  const bool drawn = CountPixels(core.Map.rect(), kBackground) < 400 * 300;
  EXPECT_EQ(drawn, c.Drawn) << "size " << c.Size << " at " << c.Scale;
}

INSTANTIATE_TEST_SUITE_P(Labels, LabelLegibility,
                         ::testing::Values(LabelCase{9, 0.7f, true}, LabelCase{9, 0.6f, false},
                                           LabelCase{11, 0.5f, true}, LabelCase{10, 0.5f, false},
                                           LabelCase{10, 0.7f, true}, LabelCase{8, 3.0f, false},
                                           LabelCase{8, 3.5f, true}, LabelCase{0, 3.5f, true}));

TEST_F(RedrawView_, ObjectIconCentredOnItsPointAndFiltered) {
  core.Tables.ImageListObject = {SolidIcon(qRgb(255, 0, 0)), SolidIcon(qRgb(0, 0, 255))};
  AddObjectRow(core, "Аптека", "Аптека 1", 0, 100, 100);
  AddObjectRow(core, "Школа", "Школа 1", 1, 200, 100);
  Draw();
  const QColor red(255, 0, 0);
  EXPECT_EQ(CountPixels(QRect(90, 90, 20, 20), red), 400);
  EXPECT_EQ(Pixel(89, 100), kBackground);
  EXPECT_EQ(Pixel(110, 100), kBackground);
  EXPECT_EQ(Pixel(100, 110), kBackground);
  EXPECT_EQ(Pixel(200, 100), kBlue);

  core.Flags.ObjectFilter = 1;
  Draw();
  EXPECT_EQ(Pixel(100, 100), kBackground);
  EXPECT_EQ(Pixel(200, 100), kBlue);
  core.Flags.SetShown(DrawCode::Object, false);
  Draw();
  EXPECT_EQ(Pixel(200, 100), kBackground);
}

TEST_F(RedrawView_, RoutesOnlyWithShowRoutesRedInGrey) {
  AddRouteRow(core, "Автобус", "1", {{5, 40}, {95, 40}});
  SetView(4.0f);  // grey pen 8, red pen trunc(5.2) = 5
  Draw();
  EXPECT_EQ(CountPixels(core.Map.rect(), kBackground), 400 * 300);
  core.Flags.SetShown(DrawCode::Route, true);
  Draw();
  EXPECT_EQ(RunLengthVertical(200, 140, 180, RouteLine()), 5);
  EXPECT_EQ(RunLengthVertical(200, 140, 180, RouteCasing()), 3);
  EXPECT_EQ(Pixel(200, 160), RouteLine());
}

TEST_F(RedrawView_, FoundFirmsDrawnOnlyWhenSwitchedOn) {
  core.Tables.FirmsImageList = {SolidIcon(qRgb(0, 128, 0)), SolidIcon(qRgb(0, 0, 255))};
  AddFirmRow(core, "Первая", 50, 50);
  AddFirmRow(core, "Вторая", 150, 50);
  core.Search.FoundFirms.Add("1");
  Draw();
  EXPECT_EQ(Pixel(150, 50), kBackground);
  core.Flags.SetShown(DrawCode::Firm, true);
  Draw();
  EXPECT_EQ(Pixel(150, 50), kBlue);
  EXPECT_EQ(Pixel(141, 41), kBlue);
  EXPECT_EQ(Pixel(50, 50), kBackground);  // not found, not drawn
}

TEST_F(RedrawView_, LayersAreDrawnInListOrder) {
  // The street crosses the region: streets come after regions.
  AddRegionRow(core, "Водоемы", Square(50, 50, 100));
  AddStreetRow(core, "Мира", "Улица", 2, {{20, 100}, {180, 100}});
  Draw();
  EXPECT_EQ(Pixel(100, 100), kWhite);
  EXPECT_EQ(Pixel(100, 80), QColor(162, 155, 247));
}

TEST_F(RedrawView_, RedrawFollowsChangedTables) {
  AddStreetRow(core, "Мира", "Улица", 2, {{20, 100}, {180, 100}});
  Draw();
  EXPECT_EQ(Pixel(100, 100), kWhite);
  core.Tables.ListOfStreets.Clear();
  AddStreetRow(core, "Мира", "Река", 2, {{20, 200}, {180, 200}});
  Draw();
  EXPECT_EQ(Pixel(100, 100), kBackground);
  EXPECT_EQ(Pixel(100, 200), kBlue);
}

TEST_F(RedrawView_, ABadCellStopsTheDrawingWithItsPlace) {
  AddStreetRow(core, "Мира", "Улица", 2, {{20, 100}, {180, 100}});
  const MapExtents& e = core.Extents;
  BuildDrawList(core.Tables, core.View, e.Box());
  core.Tables.ListOfStreets.SetCell(0, street_cell::PointCount, "3");  // more points declared than given
  try {
    RedrawView(core);
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("ListOfStreets, строка 0, столбец «Координаты»"), std::string::npos)
        << e.what();
  }
  // The width is read already when the draw list is built.
  core.Tables.ListOfStreets.SetCell(0, street_cell::Width, cp1251::FromUtf8("два"));
  try {
    BuildDrawList(core.Tables, core.View, e.Box());
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("столбец «Ширина»: «два» — не целое число."), std::string::npos) << e.what();
  }
}

TEST_F(RedrawView_, ABadBuildingCellMattersOnlyWhenBuildingsAreDrawn) {
  AddBuildingRow(core, "Ленина", "1", Square(10, 10, 20));
  core.Tables.ListOfBuildings.SetCell(0, building_cell::Points, "10 10 x");
  SetView(1.0f);
  EXPECT_NO_THROW(Draw());
  SetView(2.0f);
  EXPECT_THROW(Draw(), std::runtime_error);
}

TEST_F(RedrawView_, FarAwayCoordinatesNeitherCrashNorDraw) {
  AddStreetRow(core, "Далекая", "Улица", 4, {{2000000000, 2000000000}, {-2000000000, 2000000000}});
  AddRegionRow(core, "Рынки", {{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}});
  SetView(15.0f);
  EXPECT_NO_THROW(Draw());
}

}  // namespace

namespace {

// Rows whose points lie outside the picture but whose pens, icons or texts
// reach into it are still drawn.
TEST_F(RedrawView_, RowsJustOutsideThePictureStillReachIn) {
  core.Tables.ImageListObject = {SolidIcon(qRgb(255, 0, 0))};
  AddStreetRow(core, "Река", "Река", 50, {{50, -20}, {150, -20}});         // pen 50 reaches y = 4
  AddStreetRow(core, "Граница", "Граница", 140, {{200, -60}, {300, -60}});  // pen 140 reaches y = 9
  AddObjectRow(core, "Аптека", "А", 0, -5, 150);                            // icon covers x = -15..4
  AddLabelRow(core, "Длинная надпись на краю", 12, -40, 200);               // text runs into the picture
  Draw();
  EXPECT_EQ(Pixel(100, 2), mapstyle::RiverStreet);
  EXPECT_EQ(Pixel(250, 5), mapstyle::BorderStreet);
  EXPECT_EQ(Pixel(2, 150), QColor(255, 0, 0));
  EXPECT_GT(CountPixels(QRect(0, 200, 40, 12), LargeLabelBox()), 40);
}

}  // namespace
