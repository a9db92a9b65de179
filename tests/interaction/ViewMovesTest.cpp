// The view moves that the keyboard, the mouse, the menu and tellurin-cli share.
#include "interaction/ViewMoves.h"

#include <gtest/gtest.h>

#include <limits>

#include "interaction/ViewControl.h"
#include "render/RenderFixture.h"
#include "render/ViewTransform.h"
#include "view/ViewScale.h"

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
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 3);
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

// A city far from the origin is framed by its own box: the origin the map
// extents keep is no part of it.  A city too big for 50% shows whole at the
// zoom floor, the scale that just fits it, with the track bar at its first step.
TEST_F(ViewMoves_, WholeCityFramesTheDataBoxDownToTheZoomFloor) {
  struct Case {
    PointBox Data;
    float Scale;
    int Position;
    std::string Zoom;
  };
  for (const Case& c : {Case{{1000, 2000, 1100, 2060}, 1.5f, 3, "150%"},  // alone it fits at 1.5
                        Case{{0, 0, 358, 50}, 0.5f, 1, "50%"},           // 179 of 180 pixels at 0.5
                        Case{{5000, 5000, 17500, 9000}, 179.0f / 12500, 1, "1,4%"}}) {
    core.Extents.Reset();
    WidenMapExtents(core.Extents, c.Data.MinX, c.Data.MinY, c.Data.MaxX, c.Data.MaxY);
    ASSERT_TRUE(ShowWholeCity(core, kVisible));
    EXPECT_FLOAT_EQ(core.View.Scale, c.Scale) << c.Data.MinX;
    EXPECT_LE((c.Data.MaxX - c.Data.MinX) * static_cast<long double>(core.View.Scale), kVisible.width() - 1);
    EXPECT_EQ(core.Ui.ZoomSliderPosition, c.Position) << c.Data.MinX;
    EXPECT_EQ(core.Ui.ZoomEditText, c.Zoom) << c.Data.MinX;
    const QPoint topLeft = WindowPixel(c.Data.MinX, c.Data.MinY), bottomRight = WindowPixel(c.Data.MaxX, c.Data.MaxY);
    EXPECT_TRUE(kVisible.contains(topLeft) && kVisible.contains(bottomRight))
        << c.Data.MinX << ": " << topLeft.x() << "," << topLeft.y() << " " << bottomRight.x() << "," << bottomRight.y();
    // At the first step the box fills the visible map on one axis.
    if (c.Position == 1) {
      EXPECT_LE(std::min(topLeft.x() - kVisible.left(), topLeft.y() - kVisible.top()), 1) << c.Data.MinX;
    }
  }
}

// Out from 50% the steps halve the scale down to the zoom floor and no lower;
// back in they climb the same halvings to the track bar's first step.  A city
// that shows whole at 50% keeps 50% as its floor.
TEST(StepScale, HalvesBelowTheFirstTrackBarStepDownToTheFloor) {
  constexpr float floor = 0.08f;
  struct Case {
    float From;
    int Steps;
    float Floor;
    float To;
  };
  for (const Case& c : {Case{0.5f, -1, floor, 0.25f}, Case{0.5f, -2, floor, 0.125f}, Case{0.5f, -3, floor, floor},
                        Case{0.5f, -9, floor, floor}, Case{floor, -1, floor, floor}, Case{floor, 1, floor, 0.125f},
                        Case{floor, 3, floor, 0.5f}, Case{floor, 4, floor, 1.0f}, Case{1.0f, -1, 0.5f, 0.5f},
                        Case{0.5f, -1, 0.5f, 0.5f}, Case{1.25f, -1, floor, 1.0f}, Case{1.25f, 1, floor, 1.5f},
                        Case{15.0f, 1, floor, 15.0f}, Case{0.3f, -1, floor, 0.25f}, Case{0.3f, 1, floor, 0.5f}})
    EXPECT_EQ(StepScale(c.From, c.Steps, c.Floor), c.To) << c.From << " " << c.Steps << " floor " << c.Floor;
  struct FloorCase {
    PointBox City;
    float Floor;
  };
  for (const FloorCase& c : {FloorCase{{0, 0, 358, 50}, 0.5f}, FloorCase{{-100, -100, 100, 100}, 0.5f},
                             FloorCase{{0, 0, 12500, 100}, 179.0f / 12500}, FloorCase{{0, 0, 10, 27800}, 139.0f / 27800}})
    EXPECT_FLOAT_EQ(ZoomFloor(c.City, kVisible.width(), kVisible.height()), c.Floor) << c.City.MaxX;
}

// The wheel, the keys and the zoom field stop at the floor of the city loaded.
TEST_F(ViewMoves_, ZoomControlsReachTheFloorOfABigCity) {
  WidenMapExtents(core.Extents, 0, 0, 12500, 9000);
  const float floor = ZoomFloor(core, kVisible);
  ASSERT_FLOAT_EQ(floor, 179.0f / 12500);
  SetView(0.5f);
  RecentreOffsets(core.View);
  for (int i = 0; i < 10; ++i) ZoomAroundPoint(core, -1, 100, 75, floor);
  EXPECT_EQ(core.View.Scale, floor);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 1);
  EXPECT_FALSE(ZoomAroundPoint(core, -1, 100, 75, floor));
  core.Ui.ZoomSliderPosition = 4;
  ASSERT_TRUE(ApplyTypedZoom(core, "5", floor));
  EXPECT_EQ(core.View.Scale, 0.05f);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 1);  // below its range: at its first step
  ASSERT_TRUE(ApplyTypedZoom(core, "0%", floor));
  EXPECT_EQ(core.View.Scale, floor);
  EXPECT_EQ(core.Ui.ZoomEditText, "1,4%");
}

}  // namespace
