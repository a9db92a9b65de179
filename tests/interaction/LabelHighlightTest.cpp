#include "interaction/LabelHighlight.h"

#include <gtest/gtest.h>

#include "interaction/ObjectFilter.h"
#include "render/RenderFixture.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kLarge(255, 241, 187);
const QColor kYellow(255, 255, 0);

using LabelHighlight = RenderFixture;

int BoxPixels(const RenderFixture&, const QImage& map, int x, int y, const QColor& color) {
  int n = 0;
  for (int yy = y; yy < y + 10; ++yy)
    for (int xx = x; xx < x + 25; ++xx) n += QColor(map.pixel(xx, yy)) == color ? 1 : 0;
  return n;
}

TEST_F(LabelHighlight, CtrlPaintsLegibleLabelsYellowAndBack) {
  AddLabelRow(core, "Мира", 9, 20, 20);
  AddLabelRow(core, "Ленина", 12, 20, 100);
  Draw();
  ASSERT_GT(BoxPixels(*this, core.Map, 20, 20, kWhite), 40);
  const int paints = host.MapPaints;

  EXPECT_TRUE(PressHighlightKey(core, kCtrlKey));
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::StreetSelect);
  EXPECT_EQ(host.MapPaints, paints + 1);
  EXPECT_GT(BoxPixels(*this, core.Map, 20, 20, kYellow), 40);
  EXPECT_GT(BoxPixels(*this, core.Map, 20, 100, kYellow), 40);
  // A held key repeats its key-down: nothing more happens.
  EXPECT_TRUE(PressHighlightKey(core, kCtrlKey));
  EXPECT_EQ(host.MapPaints, paints + 1);

  EXPECT_TRUE(ReleaseHighlightKey(core, kCtrlKey));
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::Normal);
  EXPECT_EQ(BoxPixels(*this, core.Map, 20, 20, kYellow), 0);
  EXPECT_GT(BoxPixels(*this, core.Map, 20, 20, kWhite), 40);
  EXPECT_GT(BoxPixels(*this, core.Map, 20, 100, kLarge), 40);
}

TEST_F(LabelHighlight, LargeLabelsAtSmallScalesAreLegibleButNotHighlighted) {
  AddLabelRow(core, "Проспект", 11, 40, 40);
  SetView(0.6f);
  Draw();
  ASSERT_GT(BoxPixels(*this, core.Map, 24, 24, kLarge), 40);
  PressHighlightKey(core, kCtrlKey);
  EXPECT_EQ(BoxPixels(*this, core.Map, 24, 24, kYellow), 0);
  EXPECT_GT(BoxPixels(*this, core.Map, 24, 24, kLarge), 40);
}

TEST_F(LabelHighlight, OtherKeysAndDragsAreLeftAlone) {
  AddLabelRow(core, "Мира", 9, 20, 20);
  Draw();
  EXPECT_FALSE(PressHighlightKey(core, 16));
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::Normal);
  core.Interaction.Mode = InteractionMode::MapDrag;
  EXPECT_TRUE(PressHighlightKey(core, kCtrlKey));
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::MapDrag);
  EXPECT_TRUE(ReleaseHighlightKey(core, kCtrlKey));
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::MapDrag);
  EXPECT_EQ(BoxPixels(*this, core.Map, 20, 20, kYellow), 0);
}

TEST_F(LabelHighlight, WithTextsOffCtrlSwitchesTheModeOnly) {
  AddLabelRow(core, "Мира", 9, 20, 20);
  core.Flags.SetShown(DrawCode::Label, false);
  Draw();
  const int paints = host.MapPaints;
  PressHighlightKey(core, kCtrlKey);
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::StreetSelect);
  EXPECT_EQ(host.MapPaints, paints + 1);
  EXPECT_EQ(CountPixels(core.Map.rect(), kBackground), 400 * 300);
}

TEST(ObjectComboBox, TheLastEntryShowsEveryKind) {
  RecordingHost host(200, 150);
  MapCore core(host, "/nonexistent-data-root");
  core.View.ScreenWidth = 200;
  core.View.ScreenHeight = 150;
  SizeMapPicture(core);
  core.Tables.ImageListObject = {SolidIcon(qRgb(255, 0, 0)), SolidIcon(qRgb(0, 0, 255))};
  core.Tables.ObjectComboBox = {{"A", 0}, {"B", 1}, {"All", -1}};
  AddObjectRow(core, "А", "1", 0, 50, 50);
  AddObjectRow(core, "Б", "2", 1, 150, 50);
  BuildDrawList(core.Tables, core.View, {0, 0, 150, 50});

  ChooseObjectEntry(core, 1);
  EXPECT_EQ(core.Flags.ObjectFilter, 1);
  EXPECT_EQ(QColor(core.Map.pixel(50, 50)), kBackground);
  EXPECT_EQ(QColor(core.Map.pixel(150, 50)), QColor(0, 0, 255));
  ChooseObjectEntry(core, 2);
  EXPECT_EQ(core.Flags.ObjectFilter, -1);
  EXPECT_EQ(QColor(core.Map.pixel(50, 50)), QColor(255, 0, 0));
  EXPECT_EQ(host.MapPaints, 2);
}

}  // namespace
