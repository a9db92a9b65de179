// The hover hint: the name and address of the found firm or shown object under
// the mouse.
#include <gtest/gtest.h>

#include "../info/SelectionFixture.h"
#include "interaction/HoverHint.h"

using namespace selection_test;

namespace {

class HoverHint : public ::testing::Test, public City {
 protected:
  void SetUp() override {
    core.View.Scale = 2.0f;
    AlignWindowWithMap();  // window pixel = map unit x 2
  }
  bool HoverAt(int x, int y) {
    core.Interaction.MouseX = x;
    core.Interaction.MouseY = y;
    core.Interaction.HintTimerEnabled = true;
    return BuildHoverHint(core);
  }
};

TEST_F(HoverHint, ObjectGivesKindNameAndAddress) {
  AddObject("Школа", "Ленина", "5", "№1", 100, 100, 0);
  EXPECT_TRUE(HoverAt(200, 200));
  EXPECT_TRUE(core.Interaction.HintVisible);
  EXPECT_EQ(core.Interaction.HintLine1, W("Школа №1"));
  EXPECT_EQ(core.Interaction.HintLine2, W("Ленина 5"));
  EXPECT_FALSE(core.Interaction.HintTimerEnabled);
}

TEST_F(HoverHint, TenPixelsLeftStillHintsElevenDoNot) {
  AddObject("Школа", "Ленина", "5", "№1", 100, 100, 0);  // at 200, 200
  EXPECT_TRUE(HoverAt(210, 200));   // the object is 10 pixels left of the mouse
  EXPECT_FALSE(HoverAt(211, 200));
  EXPECT_FALSE(core.Interaction.HintVisible);
  EXPECT_EQ(core.Interaction.HintLine1, "");
  EXPECT_TRUE(HoverAt(200, 190));
  EXPECT_FALSE(HoverAt(200, 189));
}

TEST_F(HoverHint, FoundFirmWinsOverAnObject) {
  AddObject("Школа", "Ленина", "5", "№1", 100, 100, 0);
  Find(AddFirm("Банк", "Мира", "2", 101, 100, "bank", 1));
  EXPECT_TRUE(HoverAt(201, 200));
  EXPECT_EQ(core.Interaction.HintLine1, W("Банк"));
  EXPECT_EQ(core.Interaction.HintLine2, W("Мира 2"));
}

TEST_F(HoverHint, ObjectWithoutStreetGivesOneLine) {
  AddObject("Памятник", " ", "", "Пушкину", 100, 100, 0);
  EXPECT_TRUE(HoverAt(200, 200));
  EXPECT_EQ(core.Interaction.HintLine1, W("Памятник Пушкину"));
  EXPECT_EQ(core.Interaction.HintLine2, "");
}

TEST_F(HoverHint, KindFilterHidesOtherKinds) {
  AddObject("Школа", "Ленина", "5", "№1", 100, 100, 2);
  core.Flags.ObjectFilter = 1;
  EXPECT_FALSE(HoverAt(200, 200));
  core.Flags.ObjectFilter = 2;
  EXPECT_TRUE(HoverAt(200, 200));
}

TEST_F(HoverHint, NothingWithObjectsAndFoundFirmsOff) {
  AddObject("Школа", "Ленина", "5", "№1", 100, 100, 0);
  Find(AddFirm("Банк", "Мира", "2", 100, 100, "bank", 1));
  core.Flags.SetShown(DrawCode::Object, false);
  core.Flags.SetShown(DrawCode::Firm, false);
  EXPECT_FALSE(HoverAt(200, 200));
  EXPECT_FALSE(core.Interaction.HintTimerEnabled);
  // Click selection being off does not matter to hints.
  core.Flags.SetShown(DrawCode::Object, true);
  core.Interaction.ClickSelect = false;
  EXPECT_TRUE(HoverAt(200, 200));
}

TEST_F(HoverHint, ObjectsNotInTheDrawListGiveNoHint) {
  AddObject("Школа", "Ленина", "5", "№1", 100, 100, 0, false);
  EXPECT_FALSE(HoverAt(200, 200));
}

// A tick paints when a hint is found, and when a hint shown before is gone, so
// that it does not stay on the window over what it does not describe.
TEST_F(HoverHint, TimerTickPaintsWhenAHintComesOrGoes) {
  AddObject("Школа", "Ленина", "5", "№1", 100, 100, 0);
  struct Case {
    bool shownBefore;
    int mouse;  // window pixel, on both axes
    int paints;
    bool shown;
  };
  for (const Case& c : {Case{false, 400, 0, false}, Case{true, 400, 1, false}, Case{false, 200, 1, true},
                        Case{true, 200, 1, true}}) {
    SCOPED_TRACE(testing::Message() << c.shownBefore << " " << c.mouse);
    host.MapPaints = 0;
    core.Interaction.MouseX = core.Interaction.MouseY = c.mouse;
    core.Interaction.HintLine1 = c.shownBefore ? "old" : "";
    core.Interaction.HintVisible = c.shownBefore;
    ShowHoverHint(core);
    EXPECT_EQ(host.MapPaints, c.paints);
    EXPECT_EQ(core.Interaction.HintVisible, c.shown);
    if (!c.shown) EXPECT_EQ(core.Interaction.HintLine1, "");
  }
}

}  // namespace
