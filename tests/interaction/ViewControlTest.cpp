#include "interaction/ViewControl.h"
#include "interaction/ViewMoves.h"
#include "view/ViewScale.h"

#include <gtest/gtest.h>

#include "mapdata/Cp1251.h"
#include "render/RenderFixture.h"
#include "render/ViewTransform.h"
#include "support/StyleColours.h"

namespace {

class ViewControl_ : public RenderFixture {
 protected:
  ViewControl_() {
    core.View.CenterX = 100;
    core.View.CenterY = 80;
    core.Ui.ZoomSliderPosition = 2;
  }
  // The window pixel that shows map point `at`.
  QPoint WindowPixelOf(MapPoint at) const {
    const PixelPoint p = MapToPicture(core.View, at.X, at.Y);
    return {p.X - core.View.ScreenWidth / 2, p.Y - core.View.ScreenHeight / 2};
  }
  // A side panel covers the left of the window and the tool bar its top: the
  // visible map's middle is window pixel (129, 84), showing map point
  // (229, 159) at the scale of 1.
  void NarrowTheVisibleMap() { host.VisibleMap = QRect(60, 20, 140, 130); }
  static constexpr MapPoint kVisibleMiddle{129 + 100, 84 + 75};
};

// The track bar keeps the map point in the middle of the visible map there.
TEST_F(ViewControl_, TrackBarEndsGiveHalfAndFifteen) {
  NarrowTheVisibleMap();
  SetTrackBarPosition(core, 30);
  EXPECT_EQ(core.View.Scale, 15.0f);
  EXPECT_EQ(core.Ui.ZoomEditText, "1500%");
  EXPECT_EQ(WindowPixelOf(kVisibleMiddle), QPoint(129, 84));
  SetTrackBarPosition(core, 1);
  EXPECT_EQ(core.View.Scale, 0.5f);
  EXPECT_EQ(core.Ui.ZoomEditText, "50%");
  EXPECT_EQ(WindowPixelOf(kVisibleMiddle), QPoint(129, 84));
}

TEST_F(ViewControl_, TrackBarClampsAndActsOnlyOnARealChange) {
  SetTrackBarPosition(core, 45);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 30);
  const int paints = host.MapPaints;
  core.Interaction.HintVisible = true;
  SetTrackBarPosition(core, 30);
  EXPECT_EQ(host.MapPaints, paints);
  EXPECT_TRUE(core.Interaction.HintVisible);
  SetTrackBarPosition(core, -3);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 1);
  EXPECT_EQ(core.View.Scale, 0.5f);
  EXPECT_EQ(host.MapPaints, paints + 1);
  EXPECT_FALSE(core.Interaction.HintVisible);
}

TEST_F(ViewControl_, TrackBarChangeRedrawsThePicture) {
  AddStreetRow(core, "Мира", "Река", 2, {{0, 80}, {200, 80}});
  Draw();
  SetTrackBarPosition(core, 4);  // scale 2: the river 4 pixels wide
  const int row = MapToPicture(core.View, 100, 80).Y;
  EXPECT_EQ(Pixel(200, row), mapstyle::RiverStreet);
  EXPECT_EQ(RunLengthVertical(200, row - 20, row + 20, mapstyle::RiverStreet), 4);
}

// An entry moves the track bar to its scale's position, so "Масштаб:" finds
// it there and keeps the typed scale; after a wheel step off the grid it snaps.
TEST_F(ViewControl_, ZoomPanelClickSnapsTheScaleDownToTheSliderGrid) {
  ASSERT_TRUE(ApplyTypedZoom(core, "175", kTrackBarMinScale));
  EXPECT_EQ(core.View.Scale, 1.75f);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 3);
  const int paints = host.MapPaints;
  SyncZoomSliderToScale(core);
  EXPECT_EQ(core.View.Scale, 1.75f);
  EXPECT_EQ(host.MapPaints, paints);

  core.Ui.ZoomSliderPosition = 5;  // as a wheel step leaves it
  SyncZoomSliderToScale(core);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 3);
  EXPECT_EQ(core.View.Scale, 1.5f);
}

struct ZoomEntry {
  const char* Text;
  float Scale;
  const char* Shown;
  int Position;  // of the track bar, following the scale
};

class ZoomEditEntry : public ViewControl_, public ::testing::WithParamInterface<ZoomEntry> {};

// The field shows the scale in force to a tenth of a percent, in a form it
// reads back to the same scale; the map point in the middle of the visible
// map stays there.
TEST_P(ZoomEditEntry, ReadAsAPercentage) {
  const ZoomEntry& e = GetParam();
  NarrowTheVisibleMap();
  const int paints = host.MapPaints;
  ASSERT_TRUE(ApplyTypedZoom(core, e.Text, kTrackBarMinScale));
  EXPECT_EQ(core.View.Scale, e.Scale) << e.Text;
  EXPECT_EQ(core.Ui.ZoomEditText, e.Shown) << "rewritten by the redraw";
  EXPECT_EQ(host.MapPaints, paints + 1);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, e.Position) << e.Text;
  EXPECT_EQ(WindowPixelOf(kVisibleMiddle), QPoint(129, 84)) << e.Text;
  const float scale = e.Scale;
  ASSERT_TRUE(ApplyTypedZoom(core, e.Shown, kTrackBarMinScale));
  EXPECT_EQ(core.View.Scale, scale) << e.Shown << " read back";
}

INSTANTIATE_TEST_SUITE_P(Entries, ZoomEditEntry,
                         ::testing::Values(ZoomEntry{"250%", 2.5f, "250%", 5}, ZoomEntry{"230", 2.3f, "230%", 4},
                                           ZoomEntry{"130", 1.3f, "130%", 2}, ZoomEntry{"1,5", 0.5f, "50%", 1},
                                           ZoomEntry{"100.5", 1.005f, "100,5%", 2}, ZoomEntry{"75,5", 0.755f, "75,5%", 1},
                                           ZoomEntry{"300", 3.0f, "300%", 6}, ZoomEntry{"1000", 10.0f, "1000%", 20},
                                           ZoomEntry{"99999", 15.0f, "1500%", 30}, ZoomEntry{"1500", 15.0f, "1500%", 30},
                                           ZoomEntry{"20", 0.5f, "50%", 1}, ZoomEntry{" 75 % ", 0.75f, "75%", 1},
                                           ZoomEntry{"99999999999999999999999999", 15.0f, "1500%", 30}));

TEST_F(ViewControl_, ZoomEditWithoutDigitsChangesNothing) {
  ASSERT_TRUE(ApplyTypedZoom(core, "300", kTrackBarMinScale));
  core.Interaction.HintVisible = true;
  const ViewState before = core.View;
  const int paints = host.MapPaints;
  core.Ui.ZoomEditText = "abc";
  EXPECT_FALSE(ApplyTypedZoom(core, "abc", kTrackBarMinScale));
  EXPECT_EQ(core.Ui.ZoomEditText, "abc");
  EXPECT_FALSE(ApplyTypedZoom(core, "", kTrackBarMinScale));
  for (const char* refused : {"%", "1e3", "-300", "7 5", "1.5.0", "300%%", ".", "12a"})
    EXPECT_FALSE(ApplyTypedZoom(core, refused, kTrackBarMinScale)) << refused;
  EXPECT_EQ(core.View.Scale, before.Scale);
  EXPECT_EQ(core.View.OffsetX, before.OffsetX);
  EXPECT_EQ(core.View.OffsetY, before.OffsetY);
  EXPECT_EQ(host.MapPaints, paints);
  EXPECT_TRUE(core.Interaction.HintVisible);
  for (const auto& [typed, message] : std::vector<std::pair<std::string, std::string>>{
           {"abc", "«abc» — не число."},
           {"сто", "«сто» — не число."},
           {"-", "«-» — не число."},
           {"-abc", "«-abc» — не число."},
           {"-300", "«-300» — масштаб должен быть больше нуля."},
           {" -12,5 %", "« -12,5 %» — масштаб должен быть больше нуля."}})
    EXPECT_EQ(ZoomEditErrorMessage(cp1251::FromUtf8(typed)), message);
}

// The wheel's zoom (ViewMoves.h), from the zoom controls' state.
class ZoomAroundPoint_ : public ViewControl_ {};

TEST_F(ZoomAroundPoint_, KeepsTheMapPointUnderTheMouse) {
  core.Tables.ImageListObject = {SolidIcon(qRgb(255, 0, 0))};
  SetView(1.0f);
  RecentreOffsets(core.View);  // (100, 80) in the middle of the window (100, 75)
  // The map point under window pixel (150, 100): hit units (150 - 100 + 100, 100 - 70 + 75).
  const HitPoint hit = WindowToHit(core.View, 150, 100);
  ASSERT_EQ(hit.X, 150);
  ASSERT_EQ(hit.Y, 105);
  AddObjectRow(core, "Аптека", "А", 0, 150, 105);
  Draw();

  ASSERT_TRUE(ZoomAroundPoint(core, 1, 150, 100, kTrackBarMinScale));
  EXPECT_EQ(core.View.Scale, 1.5f);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 3);
  // The object's point is drawn at the picture pixel that window pixel (150, 100) shows.
  EXPECT_EQ(MapToPicture(core.View, 150, 105), (PixelPoint{250, 175}));
  EXPECT_EQ(Pixel(250, 175), QColor(255, 0, 0));
  // The centre is the map point in the middle of the picture again.
  EXPECT_EQ(core.View.CenterX, static_cast<int>((core.View.OffsetX + 200) / 1.5));

  ASSERT_TRUE(ZoomAroundPoint(core, -3, 150, 100, kTrackBarMinScale));
  EXPECT_EQ(core.View.Scale, 0.5f);  // clamped at position 1
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 1);
  EXPECT_EQ(MapToPicture(core.View, 150, 105), (PixelPoint{250, 175}));
  EXPECT_FALSE(ZoomAroundPoint(core, -1, 150, 100, kTrackBarMinScale));  // already at the bottom
}

TEST_F(ZoomAroundPoint_, FromAScaleBetweenStepsLandsOnTheNeighbouringStep) {
  ASSERT_TRUE(ApplyTypedZoom(core, "230", kTrackBarMinScale));
  ASSERT_TRUE(ZoomAroundPoint(core, 1, 100, 75, kTrackBarMinScale));
  EXPECT_EQ(core.View.Scale, 2.5f);
  ASSERT_TRUE(ApplyTypedZoom(core, "230", kTrackBarMinScale));
  ASSERT_TRUE(ZoomAroundPoint(core, -1, 100, 75, kTrackBarMinScale));
  EXPECT_EQ(core.View.Scale, 2.0f);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 4);
}

TEST_F(ZoomAroundPoint_, IgnoredDuringADrag) {
  core.Interaction.Mode = InteractionMode::MapDrag;
  EXPECT_FALSE(ZoomAroundPoint(core, 1, 100, 75, kTrackBarMinScale));
  EXPECT_EQ(core.View.Scale, 1.0f);
}

}  // namespace
