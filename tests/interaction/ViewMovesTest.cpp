// The view moves that the keyboard, the mouse, the menu and tellurin-cli share.
#include "interaction/ViewMoves.h"

#include <gtest/gtest.h>

#include <limits>

#include "render/RenderFixture.h"
#include "render/ViewScale.h"
#include "render/ViewTransform.h"

namespace {

class ViewMoves_ : public RenderFixture {
 protected:
  // The window pixel that shows map point (x, y).
  QPoint WindowPixel(int x, int y) const {
    const PixelPoint p = MapToPicture(core.View, x, y);
    return {p.X - core.View.ScreenWidth / 2, p.Y - core.View.ScreenHeight / 2};
  }
};

// The visible map: the 200 x 150 window less a tool bar (10 pixels) and a
// side panel (20 pixels) on the left.
const QRect kVisible(20, 10, 180, 140);

TEST_F(ViewMoves_, PanMovesByAPartOfTheVisibleMap) {
  SetView(1.0f);
  RecentreOffsets(core.View);
  struct Case {
    double X, Y;
    int Dx, Dy;
  };
  for (const Case& c : {Case{0.25, 0, 45, 0}, Case{0, -0.25, 0, -35}, Case{-1, 0, -180, 0}, Case{0, 1, 0, 140}}) {
    const ViewState before = core.View;
    const int paints = host.MapPaints;
    ASSERT_TRUE(PanView(core, kVisible, c.X, c.Y));
    EXPECT_EQ(core.View.OffsetX - before.OffsetX, c.Dx);
    EXPECT_EQ(core.View.OffsetY - before.OffsetY, c.Dy);
    EXPECT_EQ(core.View.CenterX - before.CenterX, c.Dx);  // scale 1: pixels are map units
    EXPECT_EQ(core.View.CenterY - before.CenterY, c.Dy);
    EXPECT_EQ(host.MapPaints, paints + 1);
    EXPECT_EQ(core.Ui.ZoomEditText, "100%");
  }
  core.Interaction.Mode = InteractionMode::MapDrag;
  const ViewState before = core.View;
  EXPECT_FALSE(PanView(core, kVisible, 0.25, 0));
  EXPECT_EQ(core.View.OffsetX, before.OffsetX);
}

struct FitCase {
  PointBox Box;
  int Width, Height;
  int Position;
};

TEST(WholeBoxTrackBarPosition, LargestStepThatShowsBothEdges) {
  constexpr int32_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
  for (const FitCase& c : {FitCase{{0, 0, 0, 0}, 100, 100, 30},  // a point fits at any scale
                           FitCase{{0, 0, 99, 0}, 100, 100, 2},  // 99 units span 100 pixels at 1.0
                           FitCase{{0, 0, 100, 0}, 100, 100, 1},
                           FitCase{{-10, -10, 10, 10}, 300, 41, 4},  // the height decides
                           FitCase{{0, 0, 1000, 10}, 100, 100, 1},  // nothing fits: the smallest
                           FitCase{{lo, lo, hi, hi}, 1920, 1080, 1}}) {
    EXPECT_EQ(WholeBoxTrackBarPosition(c.Box, c.Width, c.Height), c.Position)
        << c.Box.MinX << " " << c.Box.MaxX << " in " << c.Width << "x" << c.Height;
  }
}

// The extents are shown whole and in the middle of the visible map, at the
// largest step; the track bar and ZoomEdit follow.
TEST_F(ViewMoves_, WholeCityFitsTheExtentsIntoTheVisibleMap) {
  core.Extents = MapExtents{-30, 0, 70, 60};
  ASSERT_TRUE(ShowWholeCity(core, kVisible));
  EXPECT_EQ(core.View.Scale, 1.5f);  // 100 units: 150 pixels of 180; 2.0 would need 201
  EXPECT_EQ(core.Ui.TrackBar1Position, 3);
  EXPECT_EQ(core.Ui.ZoomEditText, "150%");
  const QPoint topLeft = WindowPixel(-30, 0), bottomRight = WindowPixel(70, 60);
  EXPECT_TRUE(kVisible.contains(topLeft)) << topLeft.x() << "," << topLeft.y();
  EXPECT_TRUE(kVisible.contains(bottomRight)) << bottomRight.x() << "," << bottomRight.y();
  EXPECT_LE(std::abs((topLeft.x() - kVisible.left()) - (kVisible.right() - bottomRight.x())), 1);
  EXPECT_LE(std::abs((topLeft.y() - kVisible.top()) - (kVisible.bottom() - bottomRight.y())), 1);
  // The centre is the map point in the middle of the picture, as after a drag.
  ViewState v = core.View;
  CentreFromOffsets(v);
  EXPECT_EQ(core.View.CenterX, v.CenterX);

  core.Interaction.Mode = InteractionMode::MapDrag;
  EXPECT_FALSE(ShowWholeCity(core, kVisible));
  core.Interaction.Mode = InteractionMode::Normal;
  EXPECT_FALSE(ShowWholeCity(core, QRect()));
}

}  // namespace
