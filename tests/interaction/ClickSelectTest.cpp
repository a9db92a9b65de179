// The map click: found firms first, then shown objects, a 21 x 21 pixel square
// around each point.
#include <gtest/gtest.h>

#include "interaction/ClickSelect.h"
#include "info/SelectionFixture.h"
#include "info/Selection.h"

using namespace selection_test;

namespace {

class SelectAtPoint_ : public ::testing::Test, public City {
 protected:
  void SetUp() override {
    core.View.Scale = 2.0f;
    AlignWindowWithMap();  // window pixel = map unit x 2
  }
};

TEST_F(SelectAtPoint_, TenPixelsAwaySelectsElevenDoNot) {
  const int school = AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 0);  // at 200, 200
  SelectAtPoint(core, 211, 200, false);
  EXPECT_FALSE(core.Selection.ObjectSelected);
  SelectAtPoint(core, 200, 189, false);
  EXPECT_FALSE(core.Selection.ObjectSelected);
  SelectAtPoint(core, 210, 190, false);
  EXPECT_TRUE(core.Selection.ObjectSelected);
  EXPECT_EQ(core.Selection.SelObjectName, W("Школа"));
  (void)school;
}

TEST_F(SelectAtPoint_, TheLeftAndBottomEdgesCountToo) {
  AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 0);
  SelectAtPoint(core, 190, 210, false);
  EXPECT_TRUE(core.Selection.ObjectSelected);
}

TEST_F(SelectAtPoint_, ToleranceStaysTenPixelsAtAnyScale) {
  core.View.Scale = 0.5f;
  AlignWindowWithMap();
  AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 0);  // at 50, 50
  SelectAtPoint(core, 61, 50, false);
  EXPECT_FALSE(core.Selection.ObjectSelected);
  SelectAtPoint(core, 60, 50, false);
  EXPECT_TRUE(core.Selection.ObjectSelected);
}

TEST_F(SelectAtPoint_, HitTestFollowsTheViewOffsets) {
  AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 0);
  core.View.OffsetX = 100;  // hx = x + 100 + 512
  core.View.OffsetY = -300;  // hy = y - 300 + 384
  SelectAtPoint(core, 200 - 612, 200 - 84, false);
  EXPECT_TRUE(core.Selection.ObjectSelected);
}

TEST_F(SelectAtPoint_, FoundFirmWinsOverAnObjectAndClearsOtherSelections) {
  SelectStreet(core, AddStreet("Ленина", "улица", "2", "1", "1 1"), false);
  AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 0);
  const int firm = AddFirm("Банк", "Мира", "2", 102, 101, "bank", 1);
  Find(firm);
  SelectAtPoint(core, 200, 200, false);
  EXPECT_TRUE(core.Selection.FirmSelected);
  EXPECT_FALSE(core.Selection.ObjectSelected);
  EXPECT_FALSE(core.Selection.StreetSelected);
  EXPECT_EQ(core.Selection.SelFirmRow, firm);
  EXPECT_EQ(core.Selection.StatusText1, W("Банк"));
  EXPECT_TRUE(core.Info.Visible);
  EXPECT_EQ(host.MapPaints, 1);  // a firm is shown at once
}

TEST_F(SelectAtPoint_, FoundFirmsAreClickedInTheirListOrder) {
  const int first = AddFirm("Аптека", "Мира", "1", 100, 100, "a", 0);
  const int second = AddFirm("Банк", "Мира", "2", 101, 100, "b", 1);
  Find(second);
  Find(first);
  SelectAtPoint(core, 201, 200, false);
  EXPECT_EQ(core.Selection.SelFirmRow, second);
}

TEST_F(SelectAtPoint_, FoundFirmsAreNotClickableWhenNotShown) {
  Find(AddFirm("Банк", "Мира", "2", 100, 100, "bank", 1));
  core.Flags.SetShown(DrawCode::Firm, false);
  SelectAtPoint(core, 200, 200, false);
  EXPECT_FALSE(core.Selection.FirmSelected);
}

TEST_F(SelectAtPoint_, OfTwoOverlappingObjectsTheFirstInTheDrawListWins) {
  AddObject("Школа", "Ленина", "5", "Вторая", 102, 100, 0, false);
  AddObject("Школа", "Ленина", "7", "Первая", 100, 100, 0);
  core.Tables.DrawListView.Add("5").SubItems = {"0"};
  SelectAtPoint(core, 202, 200, false);
  EXPECT_EQ(core.Selection.SelObjectName, W("Первая"));
}

TEST_F(SelectAtPoint_, TheKindFilterHidesOtherKindsFromClicks) {
  AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 2);
  core.Flags.ObjectFilter = 3;
  SelectAtPoint(core, 200, 200, false);
  EXPECT_FALSE(core.Selection.ObjectSelected);
  core.Flags.ObjectFilter = 2;
  SelectAtPoint(core, 200, 200, false);
  EXPECT_TRUE(core.Selection.ObjectSelected);
}

TEST_F(SelectAtPoint_, NoObjectIsSelectedWithObjectsOrClickSelectionOff) {
  AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 0);
  const int firm = AddFirm("Банк", "Мира", "2", 300, 300, "bank", 1);
  Find(firm);
  core.Flags.SetShown(DrawCode::Object, false);
  SelectAtPoint(core, 200, 200, false);
  EXPECT_FALSE(core.Selection.ObjectSelected);
  core.Flags.SetShown(DrawCode::Object, true);
  core.Interaction.ClickSelect = false;
  SelectAtPoint(core, 200, 200, false);
  EXPECT_FALSE(core.Selection.ObjectSelected);
  // Found firms stay clickable.
  SelectAtPoint(core, 600, 600, false);
  EXPECT_TRUE(core.Selection.FirmSelected);
}

TEST_F(SelectAtPoint_, AnEmptySpotKeepsTheSelection) {
  AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 0);
  SelectAtPoint(core, 200, 200, false);
  const std::string status = core.Selection.StatusText1;
  SelectAtPoint(core, 500, 500, false);
  EXPECT_TRUE(core.Selection.ObjectSelected);
  EXPECT_EQ(core.Selection.StatusText1, status);
}

TEST_F(SelectAtPoint_, AnObjectAddsToAStreetSelection) {
  SelectStreet(core, AddStreet("Ленина", "улица", "2", "1", "1 1"), false);
  AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 0);
  SelectAtPoint(core, 200, 200, false);
  EXPECT_TRUE(core.Selection.StreetSelected);
  EXPECT_TRUE(core.Selection.ObjectSelected);
  EXPECT_EQ(core.Selection.StatusText0, W("Школа"));
}

TEST_F(SelectAtPoint_, ClickDoesNotMoveTheViewButTheCentre) {
  AddObject("Школа", "Ленина", "5", "Школа", 100, 100, 0);
  const int32_t offsetX = core.View.OffsetX;
  SelectAtPoint(core, 200, 200, false);
  EXPECT_EQ(core.View.OffsetX, offsetX);
  EXPECT_EQ(core.View.CenterX, 100);
  EXPECT_FLOAT_EQ(core.View.Scale, 2.0f);
}

TEST_F(SelectAtPoint_, BrokenListEntriesAreSkipped) {
  core.Search.FoundFirms.Add("17");       // no such firm
  core.Search.FoundFirms.Add("firm");     // not a row number
  core.Flags.SetShown(DrawCode::Firm, true);
  core.Tables.DrawListView.Add("5").SubItems = {"42"};
  core.Tables.DrawListView.Add("5").SubItems = {"x"};
  RowDraft& odd = core.Tables.ListOfObjects.Add(W("Школа"));
  odd.SubItems = {" ", " ", " ", "100 100", "f", "0", "abc", "100"};  // X is not a number
  core.Tables.DrawListView.Add("5").SubItems = {"0"};
  SelectAtPoint(core, 200, 200, false);
  EXPECT_FALSE(core.Selection.ObjectSelected);
  EXPECT_FALSE(core.Selection.FirmSelected);
}

}  // namespace
