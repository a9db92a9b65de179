// A result row of either search turns into the map selection of its record.
#include <gtest/gtest.h>

#include "render/VisibleMiddle.h"
#include "search/FirmSearch.h"
#include "search/ListSearch.h"
#include "search/SearchFixture.h"

namespace {

class SearchResult : public SearchFixture {
 protected:
  void SetUp() override {
    AddStreet("Ленина", "улица");
    AddBuilding("Мира", "5", "Почта");
    AddFirm("Аптека", "Ленина", "3");
    AddObject("Школа", "Мира", "7", "Гимназия");
    FillSearchList(core, "");
  }
  int RowOfKind(const char* code) {
    for (int r = 0; r < core.Search.FoundRecords.Count(); ++r)
      if (core.Search.FoundRecords[r].Cell(found_cell::Code) == code) return r;
    return -1;
  }
};

TEST_F(SearchResult, StreetRowSelectsTheStreetAndClearsTheFirm) {
  core.Selection.FirmSelected = true;
  SelectFoundRow(core, RowOfKind("1"), false);
  EXPECT_TRUE(core.Selection.StreetSelected);
  EXPECT_FALSE(core.Selection.FirmSelected);
  EXPECT_EQ(U(core.Selection.SelStreetName), "Ленина");
  EXPECT_EQ(U(core.Selection.StatusText1), "улица Ленина");
  EXPECT_EQ(host.MapPaints, 1);  // redrawn and painted
}

TEST_F(SearchResult, BuildingRowSelectsTheBuilding) {
  ShowSearchResult(core, RowOfKind("2"), false);
  EXPECT_TRUE(core.Selection.BuildingSelected);
  EXPECT_EQ(U(core.Selection.SelBuildingName), "Почта");
  EXPECT_FALSE(core.Selection.StreetSelected);
}

TEST_F(SearchResult, ObjectRowSelectsTheObject) {
  core.Selection.StreetSelected = true;
  ShowSearchResult(core, RowOfKind("5"), false);
  EXPECT_TRUE(core.Selection.ObjectSelected);
  EXPECT_FALSE(core.Selection.StreetSelected);
  EXPECT_EQ(U(core.Selection.SelObjectName), "Гимназия");
}

TEST_F(SearchResult, FirmRowShowsTheFirm) {
  ShowSearchResult(core, RowOfKind("3"), false);
  EXPECT_TRUE(core.Selection.FirmSelected);
  EXPECT_EQ(core.Selection.SelFirmRow, 0);
  EXPECT_EQ(U(core.Info.ObjNameLabel), "Аптека");
}

TEST_F(SearchResult, OnlyTheDoubleClickMovesTheView) {
  core.Ui.ZoomOnSelect = false;
  core.View.OffsetX = 1234;
  core.View.OffsetY = 4321;
  SelectFoundRow(core, RowOfKind("2"), false);
  EXPECT_EQ(core.View.OffsetX, 1234);
  SelectFoundRow(core, RowOfKind("2"), true);
  // The building's first point (0, 0) in the middle of the visible map, whose
  // window pixel shows picture pixel (pixel + Screen / 2).
  const QPoint middle = VisibleMapCentre(host.VisibleMapRect());
  EXPECT_EQ(core.View.OffsetX, -middle.x() - core.View.ScreenWidth / 2);
  EXPECT_EQ(core.View.OffsetY, -middle.y() - core.View.ScreenHeight / 2);
}

TEST_F(SearchResult, FirmSearchRowShowsThatFirm) {
  AddFirm("Банк", "Мира", "1");
  SearchFirms(core, W("банк"));
  FirmResultSelected(core, 0, false);
  EXPECT_TRUE(core.Selection.FirmSelected);
  EXPECT_EQ(core.Selection.SelFirmRow, 1);
  EXPECT_EQ(U(core.Selection.StatusText1), "Банк");
  core.Ui.ZoomOnSelect = false;
  FirmResultSelected(core, 0, true);
  const QPoint middle = VisibleMapCentre(host.VisibleMapRect());
  EXPECT_EQ(core.View.OffsetX, 5 - middle.x() - core.View.ScreenWidth / 2);
  EXPECT_EQ(core.View.OffsetY, 5 - middle.y() - core.View.ScreenHeight / 2);
}

}  // namespace
