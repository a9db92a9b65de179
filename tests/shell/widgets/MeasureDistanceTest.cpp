// "Измерить расстояние" in the real map window: clicks add points, Enter or
// a double click ends, Esc cancels, the status bar tells the length until the
// next click; a city without a georeference greys the item, its hint saying why.
#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>

#include "shell/widgets/MeasuredCity.h"
#include "shell/widgets/WidgetKit.h"

namespace {

const QString kHow = U(" (щелчок добавляет точку; Enter или двойной щелчок — закончить, Esc — отменить)");

}  // namespace

TEST(MeasureDistance, ClicksAddPointsEnterOrADoubleClickEndsEscCancels) {
  MeasuredCity c;
  c.StartAt(500, 600);
  EXPECT_EQ(c.Shown(), U("Расстояние: 0 м") + kHow);
  c.Click(600, 600);
  EXPECT_EQ(c.Shown(), U("Расстояние: 400 м") + kHow);
  EXPECT_FALSE(c.Form().Core().Selection.StreetSelected);  // the click on the street only measures
  c.Click(750, 600);
  c.Click(750, 850);
  EXPECT_EQ(c.Shown(), U("Расстояние: 2,00 км") + kHow);
  // The line is drawn: red halfway along its last stretch.
  const QImage map = c.Form().MapView()->grab().toImage();
  EXPECT_EQ(QColor(map.pixel(c.Pixel(750, 725))), QColor(200, 30, 30));
  c.Key(Qt::Key_Return);
  EXPECT_EQ(c.Shown(), U("Расстояние: 2,00 км"));
  c.Click(700, 700);  // the length stays until the next click, which adds nothing
  EXPECT_EQ(c.Shown(), QString());

  c.StartAt(500, 600);
  c.Click(600, 600);
  c.DoubleClick(600, 700);  // its first click is the last point
  EXPECT_EQ(c.Shown(), U("Расстояние: 800 м"));
  EXPECT_FALSE(c.Form().Core().Measure.Active);
  EXPECT_EQ(c.Form().Core().View.Scale, 1.0f);  // no zoom

  c.StartAt(500, 600);
  c.Click(600, 600);
  c.Key(Qt::Key_Escape);
  EXPECT_EQ(c.Shown(), QString());
  c.Click(700, 600);
  EXPECT_EQ(c.Shown(), QString());
  EXPECT_TRUE(c.windows->messages.empty());
}

TEST(MeasureDistance, ACityWithoutAGeoreferenceGreysTheItem) {
  const QString hint = U(kNeedsGeoReferenceHint);
  for (const bool georeferenced : {true, false}) {
    SCOPED_TRACE(georeferenced);
    MeasuredCity c(georeferenced);
    QTest::mouseClick(c.Form().MapView(), Qt::RightButton, Qt::NoModifier, c.Pixel(500, 600));
    QTRY_VERIFY(c.Menu().Menu()->isVisible());
    EXPECT_EQ(c.Menu().MeasureItem->text(), U("Измерить расстояние"));
    EXPECT_EQ(c.Menu().MeasureItem->isEnabled(), georeferenced);
    EXPECT_EQ(c.Menu().MeasureItem->toolTip(), georeferenced ? U("Измерить расстояние") : hint);
    c.Menu().Menu()->hide();
  }
}
