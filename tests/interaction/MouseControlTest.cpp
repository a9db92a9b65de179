#include "interaction/MouseControl.h"

#include <QPainter>
#include <gtest/gtest.h>

#include "render/RenderFixture.h"
#include "render/ViewTransform.h"
#include "view/PaintMapArea.h"

namespace {

const QColor kRed(255, 0, 0);

// A red icon at map (100, 100), centred in the 200 x 150 window at scale 1.
class MouseControl_ : public RenderFixture {
 protected:
  MouseControl_() {
    core.Tables.ImageListObject = {SolidIcon(qRgb(255, 0, 0))};
    AddObjectRow(core, "Аптека", "А", 0, 100, 100);
    core.View.CenterX = 100;
    core.View.CenterY = 100;
    RecentreOffsets(core.View);
    Draw();
  }

  QImage PaintWindow() {
    QImage window(200, 150, QImage::Format_RGB32);
    QPainter painter(&window);
    PaintMapArea(core, painter);
    return window;
  }

  bool RedAt(const QImage& window, int x, int y) const { return QColor(window.pixel(x, y)) == kRed; }
};

TEST_F(MouseControl_, DragOfAHundredPixelsKeepsThePointUnderTheMouse) {
  // The icon covers window pixels 90..109; the mouse grabs it at 95.
  ASSERT_TRUE(RedAt(PaintWindow(), 95, 75));
  const int offsetX = core.View.OffsetX;
  EXPECT_EQ(PressOnMap(core, MouseButton::Right, 95, 75), ViewUpdate::None);
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::MapDrag);

  EXPECT_EQ(MoveOnMap(core, 145, 75), ViewUpdate::Paint);
  EXPECT_EQ(core.View.DragShiftX, -50);
  EXPECT_TRUE(RedAt(PaintWindow(), 145, 75));  // copied, not redrawn
  EXPECT_EQ(MoveOnMap(core, 195, 75), ViewUpdate::Paint);
  QImage during = PaintWindow();
  EXPECT_TRUE(RedAt(during, 195, 75));
  EXPECT_TRUE(RedAt(during, 190, 75));
  EXPECT_FALSE(RedAt(during, 189, 75));

  const int paints = host.MapPaints;
  const ViewUpdate release = ReleaseOnMap(core, MouseButton::Right, 195, 75);
  EXPECT_EQ(release, ViewUpdate::RedrawAndPaint);
  ApplyViewUpdate(core, release);
  EXPECT_EQ(host.MapPaints, paints + 1);
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::Normal);
  EXPECT_EQ(core.View.OffsetX, offsetX - 100);
  EXPECT_EQ(core.View.DragShiftX, 0);
  EXPECT_EQ(core.View.CenterX, 0);
  const QImage after = PaintWindow();
  EXPECT_TRUE(RedAt(after, 195, 75));
  EXPECT_TRUE(RedAt(after, 190, 75));
  EXPECT_FALSE(RedAt(after, 189, 75));
  EXPECT_FALSE(RedAt(after, 100, 75));
}

TEST_F(MouseControl_, ReleaseElsewhereTakesTheCentreFromTheLastMove) {
  PressOnMap(core, MouseButton::Left, 100, 75);
  MoveOnMap(core, 150, 95);
  ReleaseOnMap(core, MouseButton::Left, 180, 75);
  // Centre from the offsets of the move to (150, 95): (-150 + 200, -70 + 150).
  EXPECT_EQ(core.View.CenterX, 50);
  EXPECT_EQ(core.View.CenterY, 80);
  // Offsets from the release position.
  EXPECT_EQ(core.View.OffsetX, -180);
  EXPECT_EQ(core.View.OffsetY, -50);
}

TEST_F(MouseControl_, ASecondButtonDuringADragIsIgnored) {
  PressOnMap(core, MouseButton::Left, 100, 75);
  MoveOnMap(core, 120, 75);
  const ViewState during = core.View;
  EXPECT_EQ(PressOnMap(core, MouseButton::Right, 10, 10), ViewUpdate::None);
  EXPECT_EQ(core.View.DragAnchorX, during.DragAnchorX);
  EXPECT_EQ(core.View.DragShiftAnchorX, during.DragShiftAnchorX);
  EXPECT_EQ(core.Interaction.PrevMode, InteractionMode::Normal);
  // Releasing either button ends the drag.
  EXPECT_EQ(ReleaseOnMap(core, MouseButton::Right, 120, 75), ViewUpdate::RedrawAndPaint);
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::Normal);
  EXPECT_EQ(ReleaseOnMap(core, MouseButton::Left, 120, 75), ViewUpdate::None);
}

TEST_F(MouseControl_, AClickWithoutMovingRedrawsInPlace) {
  PressOnMap(core, MouseButton::Left, 60, 40);
  ReleaseOnMap(core, MouseButton::Left, 60, 40);
  EXPECT_EQ(core.View.CenterX, 100);
  EXPECT_EQ(core.View.CenterY, 100);
  EXPECT_EQ(core.View.OffsetX, -100);
  EXPECT_EQ(core.View.OffsetY, -50);
}

TEST_F(MouseControl_, WhileCtrlIsHeldPressesNeitherSelectNorDrag) {
  core.Interaction.Mode = InteractionMode::StreetSelect;
  core.Selection.StatusText0 = "kept";
  EXPECT_EQ(PressOnMap(core, MouseButton::Left, 50, 50), ViewUpdate::None);
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::StreetSelect);
  EXPECT_EQ(MoveOnMap(core, 80, 50), ViewUpdate::None);
  EXPECT_EQ(core.View.OffsetX, -100);
  EXPECT_EQ(ReleaseOnMap(core, MouseButton::Left, 80, 50), ViewUpdate::None);
}

TEST_F(MouseControl_, MovesOutsideADragFeedTheHoverHint) {
  core.Interaction.HintVisible = true;
  EXPECT_EQ(MoveOnMap(core, 33, 44), ViewUpdate::None);
  EXPECT_TRUE(core.Interaction.HintTimerEnabled);
  EXPECT_EQ(core.Interaction.MouseX, 33);
  EXPECT_EQ(core.Interaction.MouseY, 44);
  PressOnMap(core, MouseButton::Middle, 33, 44);
  MoveOnMap(core, 40, 44);
  EXPECT_FALSE(core.Interaction.HintVisible);
  EXPECT_FALSE(core.Interaction.HintTimerEnabled);
}

// The hint of what the mouse rested on goes with any press: the click that
// follows must not paint it beside what the mouse now points at.
TEST_F(MouseControl_, APressPutsTheHintAway) {
  for (MouseButton button : {MouseButton::Left, MouseButton::Right}) {
    core.Interaction.HintVisible = true;
    core.Interaction.HintLine1 = "Аптека";
    MoveOnMap(core, 20, 20);  // away from the icon, before the hint's next look
    PressOnMap(core, button, 20, 20);
    EXPECT_FALSE(core.Interaction.HintVisible);
    ReleaseOnMap(core, button, 20, 20);
  }
}

}  // namespace
