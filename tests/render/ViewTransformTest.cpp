#include "render/ViewTransform.h"

#include <gtest/gtest.h>

namespace {

ViewState View1024(float scale, int cx, int cy) {
  ViewState v;
  v.ScreenWidth = 1024;
  v.ScreenHeight = 768;
  v.Scale = scale;
  v.CenterX = cx;
  v.CenterY = cy;
  return v;
}

TEST(ViewTransform, RecentringPutsTheCentreInTheMiddleOfThePicture) {
  ViewState v = View1024(2.0f, 500, 600);
  RecentreOffsets(v);
  EXPECT_EQ(v.OffsetX, -24);
  EXPECT_EQ(v.OffsetY, 432);
  EXPECT_EQ(MapToPicture(v, 500, 600), (PixelPoint{1024, 768}));
  // The window shows the middle of the picture: window pixel (512, 384).
  const QRect shown = VisiblePictureRect(v);
  EXPECT_EQ(shown, QRect(512, 384, 1024, 768));
}

TEST(ViewTransform, CentreAfterADragIsTheMapPointInTheMiddle) {
  ViewState v = View1024(2.0f, 0, 0);
  v.OffsetX = -24;
  v.OffsetY = 432;
  CentreFromOffsets(v);
  EXPECT_EQ(v.CenterX, 500);
  EXPECT_EQ(v.CenterY, 600);
  // Truncation toward zero on the negative side: (-1100 + 1024) / 2 = -38.
  v.OffsetX = -1101;
  CentreFromOffsets(v);
  EXPECT_EQ(v.CenterX, -38);
}

TEST(ViewTransform, MapToPictureTruncatesTowardZeroOnce) {
  ViewState v = View1024(1.3f, 0, 0);  // 1.29999995...
  v.OffsetX = 0;
  v.OffsetY = 10;
  EXPECT_EQ(MapToPicture(v, 10, 0), (PixelPoint{12, -10}));   // 12.9999995
  EXPECT_EQ(MapToPicture(v, -10, 5), (PixelPoint{-12, -3}));  // -12.9999995, -3.5
  EXPECT_EQ(MapToPicture(v, 100, 100), (PixelPoint{129, 119}));
}

TEST(ViewTransform, WindowPixelToHitUnitsAddsTheOffsetsAndHalfTheScreen) {
  ViewState v = View1024(2.0f, 500, 600);
  RecentreOffsets(v);
  // The middle of the window is the centre, times the scale.
  const HitPoint hit = WindowToHit(v, 512, 384);
  EXPECT_EQ(hit.X, 1000);
  EXPECT_EQ(hit.Y, 1200);
}

TEST(ViewTransform, DragShiftMovesTheVisibleRectangle) {
  ViewState v = View1024(1.0f, 0, 0);
  v.DragShiftX = -100;
  v.DragShiftY = 30;
  EXPECT_EQ(VisiblePictureRect(v), QRect(412, 414, 1024, 768));
  v.ScreenWidth = 1023;  // odd width: halves truncate, the copy stays 1023 wide
  EXPECT_EQ(VisiblePictureRect(v).width(), 1023);
}

TEST(ViewTransform, ScaledWidthsAndPercentages) {
  EXPECT_EQ(ScaledTrunc(1.3L, 3.0f), 3);
  EXPECT_EQ(ScaledTrunc(2, 2.3f), 4);
  EXPECT_EQ(ScaledTrunc(5, 0.5f), 2);
  EXPECT_EQ(ZoomPercentText(2.3f), "229%");
  EXPECT_EQ(ZoomPercentText(1.3f), "129%");
  EXPECT_EQ(ZoomPercentText(2.5f), "250%");
  EXPECT_EQ(ZoomPercentText(15.0f), "1500%");
}

TEST(ViewTransform, TrackBarPositionsAndScales) {
  EXPECT_EQ(TrackBarPositionToScale(1), 0.5f);
  EXPECT_EQ(TrackBarPositionToScale(30), 15.0f);
  EXPECT_EQ(TrackBarPositionToScale(3), 1.5f);
  EXPECT_EQ(ScaleToTrackBarPosition(1.0f), 2);
  EXPECT_EQ(ScaleToTrackBarPosition(2.5f), 5);
  EXPECT_EQ(ScaleToTrackBarPosition(1.25f), 2);
  EXPECT_EQ(ScaleToTrackBarPosition(2.3f), 4);
}

}  // namespace
