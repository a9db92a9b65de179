#include "view/PaintMapArea.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

#include "mapdata/Cp1251.h"
#include "render/RenderFixture.h"
#include "render/ViewTransform.h"
#include "support/StyleColours.h"

namespace {

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

class PaintMapArea_ : public RenderFixture {
 protected:
  // Paints the 200 x 150 window.
  QImage PaintWindow() {
    QImage window(200, 150, QImage::Format_RGB32);
    window.fill(Qt::black);
    QPainter painter(&window);
    PaintMapArea(core, painter);
    return window;
  }

  // Selection points in map units and, as the overlay refresh keeps them, in pixels.
  void SetPoints(PointArray& points, PixelArray& pixels, int32_t& count, const Points& list) {
    count = static_cast<int32_t>(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
      points[i] = {list[i].first, list[i].second};
      pixels[i] = MapToPictureExact(core.View, list[i].first, list[i].second);
    }
  }
};

TEST_F(PaintMapArea_, CopiesTheMiddleOfThePictureToTheWindow) {
  AddRegionRow(core, "Рынки", {{100, 75}, {110, 75}, {110, 85}, {100, 85}});
  Draw();
  const QImage window = PaintWindow();
  EXPECT_EQ(QColor(window.pixel(5, 5)), RegionFill("Рынки"));  // picture (105, 80)
  EXPECT_EQ(QColor(window.pixel(15, 5)), kBackground);
}

TEST_F(PaintMapArea_, DragShiftMovesTheWindowOverThePicture) {
  AddRegionRow(core, "Рынки", {{100, 75}, {110, 75}, {110, 85}, {100, 85}});
  Draw();
  core.View.DragShiftX = -50;
  core.View.DragShiftY = -20;
  const QImage window = PaintWindow();
  EXPECT_EQ(QColor(window.pixel(55, 25)), RegionFill("Рынки"));
  EXPECT_EQ(QColor(window.pixel(5, 5)), kBackground);
  // Dragged past the picture's margin: the part beyond shows the background.
  core.View.DragShiftX = -150;
  const QImage far = PaintWindow();
  EXPECT_EQ(QColor(far.pixel(10, 100)), kBackground);
}

TEST_F(PaintMapArea_, StreetHighlightIsGreenWithTheStreetsScaledWidth) {
  SetView(3.0f, 0, 0);
  AddStreetRow(core, "Мира", "Улица", 2, {{40, 50}, {90, 50}});
  Draw();
  SelectionState& s = core.Selection;
  s.StreetSelected = true;
  s.SelStreetWidth = 2;
  SetPoints(s.SelStreetPoints, s.SelStreetPixels, s.SelStreetCount, {{40, 50}, {90, 50}});
  PaintWindow();
  EXPECT_EQ(RunLengthVertical(200, 130, 170, kGreen), 6);
  EXPECT_EQ(RunLengthVertical(200, 130, 170, kWhite), 0);  // covered entirely
}

TEST_F(PaintMapArea_, ObjectHighlightIsAGreenDiscInARedRingUnderTheIcon) {
  core.Tables.ImageListObject = {SolidIcon(qRgb(0, 0, 255))};
  AddObjectRow(core, "Аптека", "Аптека 1", 0, 150, 120);
  Draw();
  SelectionState& s = core.Selection;
  s.ObjectSelected = true;
  s.SelObjectIcon = 0;
  s.SelObjectPoint = {150, 120};
  s.SelObjectPixel = {150, 120};
  PaintWindow();
  EXPECT_EQ(QColor(core.Map.pixel(150, 120)), QColor(0, 0, 255));
  EXPECT_EQ(QColor(core.Map.pixel(150, 108)), kGreen);  // between icon and ring
  EXPECT_EQ(QColor(core.Map.pixel(150, 106)), kRed);    // the ring at y - 14
  EXPECT_EQ(QColor(core.Map.pixel(150, 104)), kBackground);
}

TEST_F(PaintMapArea_, BuildingHighlightIsGreenWithABlackOutline) {
  SetView(2.0f);
  AddBuildingRow(core, "Ленина", "1", {{60, 40}, {80, 40}, {80, 60}, {60, 60}});
  Draw();
  SelectionState& s = core.Selection;
  s.BuildingSelected = true;
  SetPoints(s.SelBuildingPoints, s.SelBuildingPixels, s.SelBuildingCount, {{60, 40}, {80, 40}, {80, 60}, {60, 60}});
  PaintWindow();
  EXPECT_EQ(QColor(core.Map.pixel(140, 100)), kGreen);
  EXPECT_EQ(QColor(core.Map.pixel(120, 100)), kBlack);
}

// The green fill does not hide the house number: from the scale the map writes
// numbers at, the number shows on the highlight where the map wrote it.
TEST_F(PaintMapArea_, HighlightedBuildingKeepsItsHouseNumber) {
  struct Case {
    float Scale;
    bool NumberShown;
  };
  for (const Case& c : {Case{2.0f, false}, Case{4.0f, true}}) {
    SCOPED_TRACE(c.Scale);
    core.Tables.ListOfBuildings.Clear();
    core.Selection = SelectionState{};
    SetView(c.Scale, 40, 30);
    const Points shape{{60, 40}, {80, 40}, {80, 60}, {60, 60}};
    AddBuildingRow(core, "Ленина", "12", shape);
    Draw();
    const QImage plain = core.Map.copy();
    SelectionState& s = core.Selection;
    s.BuildingSelected = true;
    s.SelBuildingNumber = cp1251::FromUtf8("12");
    SetPoints(s.SelBuildingPoints, s.SelBuildingPixels, s.SelBuildingCount, shape);
    PaintWindow();
    const PicturePixel lo = MapToPictureExact(core.View, 61, 41), hi = MapToPictureExact(core.View, 79, 59);
    int numberPixels = 0, green = 0;
    for (int64_t y = lo.Y; y < hi.Y; ++y)
      for (int64_t x = lo.X; x < hi.X; ++x) {
        const QColor before(plain.pixel(x, y)), after(core.Map.pixel(x, y));
        if (before == kBlack) {
          ++numberPixels;
          EXPECT_EQ(after, kBlack) << x << "," << y;
        } else if (after == kGreen) {
          ++green;
        }
      }
    EXPECT_EQ(numberPixels > 0, c.NumberShown);
    EXPECT_GT(green, 0);
  }
}

TEST_F(PaintMapArea_, RouteHighlightIsGreenInABlackCasing) {
  SetView(4.0f);
  AddRouteRow(core, "Автобус", "1", {{5, 40}, {95, 40}});
  Draw();
  SelectionState& s = core.Selection;
  s.RouteSelected = true;
  SetPoints(s.SelRoutePoints, s.SelRoutePixels, s.SelRouteCount, {{5, 40}, {95, 40}});
  PaintWindow();
  EXPECT_EQ(RunLengthVertical(200, 140, 180, kGreen), 5);
  EXPECT_EQ(RunLengthVertical(200, 140, 180, kBlack), 3);
}

TEST_F(PaintMapArea_, HoverHintOnTheTooltipColour) {
  Draw();
  core.Interaction.HintVisible = true;
  core.Interaction.MouseX = 20;
  core.Interaction.MouseY = 30;
  core.Interaction.HintLine1 = cp1251::FromUtf8("Улица Мира");
  core.Interaction.HintLine2 = cp1251::FromUtf8("дом 5");
  const QImage window = PaintWindow();
  const QColor tip = QGuiApplication::palette().color(QPalette::ToolTipBase);
  ASSERT_NE(tip, kBackground);
  int tipPixels = 0;
  for (int y = 40; y < 60; ++y)
    for (int x = 30; x < 90; ++x) tipPixels += QColor(window.pixel(x, y)) == tip ? 1 : 0;
  EXPECT_GT(tipPixels, 200);
  EXPECT_EQ(QColor(window.pixel(29, 40)), kBackground);
  EXPECT_EQ(QColor(window.pixel(30, 39)), kBackground);
  core.Interaction.HintVisible = false;
  const QImage plain = PaintWindow();
  EXPECT_EQ(QColor(plain.pixel(31, 41)), kBackground);
}

}  // namespace
