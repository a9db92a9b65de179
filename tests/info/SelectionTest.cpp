// Selecting streets, buildings, objects and routes: stored texts and points,
// status bar texts and widths, view centre and view moves.
#include <gtest/gtest.h>

#include "SelectionFixture.h"
#include "info/Selection.h"
#include "view/SelectionOverlay.h"

using namespace selection_test;

namespace {

class Selecting : public ::testing::Test, public City {};

TEST_F(Selecting, StreetFillsTextsPointsAndStatusWithoutMovingTheView) {
  AddStreet("Другая", "улица", "3", "1", "1 1");
  const int row = AddStreet("Пушкинская", "улица", "2", "3", "100 200 300 400 500 600");
  core.View.OffsetX = 7;
  core.View.OffsetY = 9;

  SelectStreet(core, row, false);

  const SelectionState& s = core.Selection;
  EXPECT_TRUE(s.StreetSelected);
  EXPECT_EQ(s.SelStreetName, W("Пушкинская"));
  EXPECT_EQ(s.SelStreetType, W("улица"));
  EXPECT_EQ(s.SelStreetWidth, 2);
  ASSERT_EQ(s.SelStreetCount, 3);
  EXPECT_EQ(s.SelStreetPoints[2].X, 500);
  EXPECT_EQ(s.SelStreetPoints[2].Y, 600);
  EXPECT_EQ(s.StatusText1, W("улица Пушкинская"));
  EXPECT_EQ(s.StatusText2, "");
  // The centre follows the first point even though the view stays put.
  EXPECT_EQ(core.View.CenterX, 100);
  EXPECT_EQ(core.View.CenterY, 200);
  EXPECT_EQ(core.View.OffsetX, 7);
  EXPECT_EQ(core.View.OffsetY, 9);
  EXPECT_FLOAT_EQ(core.View.Scale, 1.0f);
}

TEST_F(Selecting, StatusPanelsAreEightPixelsPerCharacter) {
  // A 5-letter type and a 10-letter name: 16 characters with the space.
  const int row = AddStreet("Московская", "шоссе", "2", "1", "10 10");
  core.Selection.StatusText2 = "something";
  SelectStreet(core, row, false);
  UpdateSelectionOverlay(core);
  EXPECT_EQ(core.Selection.StatusWidth1, 128);
  EXPECT_EQ(core.Selection.StatusWidth2, 0);
  EXPECT_EQ(core.Selection.StatusWidth0, 0);
}

TEST_F(Selecting, CentredStreetZoomsToFourAndPutsItsStartInTheMiddle) {
  const int row = AddStreet("Ленина", "улица", "2", "2", "500 600 700 600");
  SelectStreet(core, row, true);
  EXPECT_FLOAT_EQ(core.View.Scale, 4.0f);
  // The whole window shows the map: its middle is window pixel (511, 383),
  // picture pixel (1023, 767).
  EXPECT_EQ(core.View.OffsetX, 500 * 4 - 1023);
  EXPECT_EQ(core.View.OffsetY, 600 * 4 - 767);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 1);  // the track bar is left alone
}

TEST_F(Selecting, WithoutZoomOnSelectACentredResultKeepsTheScale) {
  core.Ui.ZoomOnSelect = false;
  core.View.Scale = 2.5f;
  const int row = AddBuilding("Ленина", "12", "Почта", "4", "100 100 120 100 120 130 100 130");
  SelectBuilding(core, row, true);
  EXPECT_FLOAT_EQ(core.View.Scale, 2.5f);
  EXPECT_EQ(core.View.OffsetX, 250 - 1023);
  EXPECT_EQ(core.View.OffsetY, 250 - 767);
}

TEST_F(Selecting, BuildingFillsAllThreeStatusPanels) {
  const int row = AddBuilding("Ленина", "12а", "Почта", "3", "1 2 3 4 5 6");
  SelectBuilding(core, row, false);
  const SelectionState& s = core.Selection;
  EXPECT_TRUE(s.BuildingSelected);
  EXPECT_EQ(s.StatusText0, W("Почта"));
  EXPECT_EQ(s.StatusText1, W("Ленина"));
  EXPECT_EQ(s.StatusText2, W("12а"));
  ASSERT_EQ(s.SelBuildingCount, 3);
  EXPECT_EQ(s.SelBuildingPoints[1].X, 3);
  EXPECT_EQ(core.View.CenterX, 1);
  EXPECT_EQ(core.View.CenterY, 2);
}

TEST_F(Selecting, ObjectFillsStatusAndCentresInTheVisibleMap) {
  host.VisibleMap = QRect(220, 30, 804, 738);  // tool bar and left panel shown: middle (621, 398)
  const int row = AddObject("Школа", "Ленина", "5", "Школа №1", 300, 400, 2);
  core.Ui.ZoomSliderPosition = 8;  // already where a scale of 4 puts it
  SelectObject(core, row, true);
  const SelectionState& s = core.Selection;
  EXPECT_TRUE(s.ObjectSelected);
  EXPECT_EQ(s.SelObjectIcon, 2);
  EXPECT_EQ(s.StatusText0, W("Школа"));
  EXPECT_EQ(s.StatusText1, W("Школа №1"));
  EXPECT_EQ(s.StatusText2, W("Ленина 5"));
  EXPECT_EQ(s.SelObjectPoint.X, 300);
  EXPECT_FLOAT_EQ(core.View.Scale, 4.0f);
  EXPECT_EQ(core.View.OffsetX, 300 * 4 - 621 - 512);
  EXPECT_EQ(core.View.OffsetY, 400 * 4 - 398 - 384);
}

TEST_F(Selecting, CentredObjectMovesTheTrackBarToTheNewScale) {
  host.VisibleMap = QRect(220, 30, 804, 738);
  const int row = AddObject("Школа", "Ленина", "5", "Школа №1", 300, 400, 2);
  SelectObject(core, row, true);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 8);
  EXPECT_FLOAT_EQ(core.View.Scale, 4.0f);
  // The step keeps the object in the middle of the visible map, to the pixel.
  EXPECT_EQ(core.View.OffsetX, 300 * 4 - 621 - 512);
  EXPECT_EQ(core.View.OffsetY, 400 * 4 - 398 - 384);
}

TEST_F(Selecting, ObjectWithoutCentringLeavesViewAndTrackBar) {
  const int row = AddObject("Школа", "Ленина", "5", "Школа №1", 300, 400, 2);
  SelectObject(core, row, false);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 1);
  EXPECT_FLOAT_EQ(core.View.Scale, 1.0f);
  EXPECT_EQ(core.View.OffsetX, 0);
  EXPECT_EQ(core.View.CenterX, 300);
}

TEST_F(Selecting, RecordWithoutPointsIsSelectedButTheCentreStays) {
  core.View.CenterX = 500;
  core.View.CenterY = 600;
  const int row = AddStreet("Пустая", "улица", "2", "0", " ");
  SelectStreet(core, row, true);
  EXPECT_TRUE(core.Selection.StreetSelected);
  EXPECT_EQ(core.Selection.SelStreetCount, 0);
  EXPECT_EQ(core.Selection.StatusText1, W("улица Пустая"));
  EXPECT_EQ(core.View.CenterX, 500);
  EXPECT_EQ(core.View.CenterY, 600);
  EXPECT_EQ(core.View.OffsetX, 0);
  EXPECT_FLOAT_EQ(core.View.Scale, 1.0f);
}

TEST_F(Selecting, PointCountsBeyondTheArraysOrTheListAreCut) {
  std::string many;
  for (int i = 0; i < 200; ++i) many += std::to_string(i) + " " + std::to_string(i) + " ";
  SelectStreet(core, AddStreet("Длинная", "улица", "2", "200", many), false);
  EXPECT_EQ(core.Selection.SelStreetCount, kMaxPointsPerRecord);
  EXPECT_EQ(core.Selection.SelStreetPoints[149].X, 149);

  // The count promises more pairs than the list holds.
  SelectBuilding(core, AddBuilding("Ленина", "1", " ", "5", "1 2 3 4"), false);
  EXPECT_EQ(core.Selection.SelBuildingCount, 2);

  // Counts that are no numbers, or negative, give no points.
  SelectStreet(core, AddStreet("Кривая", "улица", "2", "много", "1 2"), false);
  EXPECT_EQ(core.Selection.SelStreetCount, 0);
  SelectStreet(core, AddStreet("Обратная", "улица", "2", "-3", "1 2"), false);
  EXPECT_EQ(core.Selection.SelStreetCount, 0);
  UpdateSelectionOverlay(core);  // converts only what was read
}

TEST_F(Selecting, RowsOutsideTheTablesChangeNothing) {
  AddStreet("Ленина", "улица", "2", "1", "1 1");
  SelectStreet(core, 5, true);
  SelectBuilding(core, -1, true);
  SelectObject(core, 0, true);
  SelectRoute(core, 0, true);
  EXPECT_FALSE(core.Selection.StreetSelected);
  EXPECT_FALSE(core.Selection.BuildingSelected);
  EXPECT_FALSE(core.Selection.ObjectSelected);
  EXPECT_FALSE(core.Selection.RouteSelected);
  EXPECT_EQ(core.Selection.StatusText1, "");
}

TEST_F(Selecting, ResetClearsFlagsAndStatusButKeepsStoredPointsAndTheRoute) {
  SelectStreet(core, AddStreet("Ленина", "улица", "2", "1", "10 20"), false);
  SelectBuilding(core, AddBuilding("Ленина", "1", "Дом", "1", "1 2"), false);
  SelectObject(core, AddObject("Школа", "Ленина", "5", "Школа", 3, 4, 0), false);
  SelectRoute(core, AddRoute("Автобус", "12", "2", "1 2 3 4"), false);
  ResetSelection(core);
  const SelectionState& s = core.Selection;
  EXPECT_FALSE(s.StreetSelected);
  EXPECT_FALSE(s.BuildingSelected);
  EXPECT_FALSE(s.ObjectSelected);
  EXPECT_FALSE(s.FirmSelected);
  EXPECT_TRUE(s.RouteSelected);
  EXPECT_EQ(s.StatusText0, "");
  EXPECT_EQ(s.StatusText1, "");
  EXPECT_EQ(s.StatusText2, "");
  EXPECT_EQ(s.SelStreetName, W("Ленина"));
  EXPECT_EQ(s.SelStreetCount, 1);
}

TEST_F(Selecting, OverlayPicturePixelsTruncatedOnce) {
  core.View.Scale = 2.3f;  // stored as 2.2999999523
  core.View.OffsetX = -5;
  core.View.OffsetY = 4;
  SelectStreet(core, AddStreet("Ленина", "улица", "2", "2", "10 10 -10 20"), false);
  SelectObject(core, AddObject("Школа", "Ленина", "5", "Школа", 10, 10, 0), false);
  UpdateSelectionOverlay(core);
  // 10 x 2.2999999523 = 22.999999523: a single-precision product would give 23.
  EXPECT_EQ(core.Selection.SelStreetPixels[0].X, 27);  // trunc(22.99.. + 5)
  EXPECT_EQ(core.Selection.SelStreetPixels[0].Y, 18);  // trunc(22.99.. - 4)
  EXPECT_EQ(core.Selection.SelStreetPixels[1].X, -17);  // trunc(-22.99.. + 5) toward zero
  EXPECT_EQ(core.Selection.SelObjectPixel.X, 27);
}

TEST_F(Selecting, OverlayConvertsEveryKindWhateverIsSelected) {
  SelectStreet(core, AddStreet("Ленина", "улица", "2", "1", "10 20"), false);
  SelectRoute(core, AddRoute("Трамвай", "3", "2", "30 40 50 60"), false);
  ResetSelection(core);
  core.View.Scale = 2.0f;
  core.View.OffsetX = 10;
  UpdateSelectionOverlay(core);
  EXPECT_EQ(core.Selection.SelStreetPixels[0].X, 10);
  EXPECT_EQ(core.Selection.SelRoutePixels[1].X, 90);
  EXPECT_EQ(core.Selection.SelRoutePixels[1].Y, 120);
}

TEST_F(Selecting, RouteClickHighlightsWithoutMovingTheView) {
  const int row = AddRoute("Автобус", "Маршрут 5", "3", "100 200 300 400 500 600");
  core.View.OffsetX = 11;
  SelectRoute(core, row, false);
  const SelectionState& s = core.Selection;
  EXPECT_TRUE(s.RouteSelected);
  EXPECT_EQ(s.SelRouteType, W("Автобус"));
  EXPECT_EQ(s.SelRouteName, W("Маршрут 5"));
  EXPECT_EQ(s.SelRouteCount, 3);
  EXPECT_EQ(s.StatusText1, W("Автобус Маршрут 5"));
  EXPECT_EQ(core.View.CenterX, 100);
  EXPECT_EQ(core.View.OffsetX, 11);
}

TEST_F(Selecting, RouteDoubleClickCentresInTheVisibleMapAndLeavesTheTrackBar) {
  host.VisibleMap = QRect(220, 30, 804, 738);
  const int row = AddRoute("Автобус", "5", "2", "100 200 300 400");
  core.Selection.StatusText0 = "kept";
  SelectRoute(core, row, true);
  EXPECT_FLOAT_EQ(core.View.Scale, 4.0f);
  EXPECT_EQ(core.View.OffsetX, 400 - 621 - 512);
  EXPECT_EQ(core.View.OffsetY, 800 - 398 - 384);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 1);
  EXPECT_EQ(core.Selection.StatusText0, "kept");
}

TEST_F(Selecting, RouteWithoutPointsMovesNothing) {
  core.View.CenterX = 500;
  const int row = AddRoute("Автобус", "пустой", "0", " ");
  SelectRoute(core, row, true);
  EXPECT_TRUE(core.Selection.RouteSelected);
  EXPECT_EQ(core.Selection.SelRouteCount, 0);
  EXPECT_EQ(core.View.CenterX, 500);
  EXPECT_FLOAT_EQ(core.View.Scale, 1.0f);
  EXPECT_EQ(core.View.OffsetX, 0);
}

TEST_F(Selecting, RouteNamesWithoutGeometryRowHaveNoPoints) {
  core.Tables.ListOfPath2.Add(W("Автобус")).SubItems = {"7", " "};
  SelectRoute(core, 0, true);
  EXPECT_TRUE(core.Selection.RouteSelected);
  EXPECT_EQ(core.Selection.SelRouteCount, 0);
}

}  // namespace
