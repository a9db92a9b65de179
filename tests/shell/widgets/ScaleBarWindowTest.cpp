// The scale bar in the real map window: in the bottom left corner of the
// visible map, beside the list search panel; it goes with its switch, which a
// city without a georeference greys, its hint saying why.
#include <QAction>
#include <gtest/gtest.h>

#include "shell/widgets/MeasuredCity.h"
#include "shell/widgets/SidePanels.h"
#include "shell/widgets/WidgetKit.h"

// At 100% 500 m are 125 pixels: the bar starts 12 pixels right of the list
// search panel, and goes with its switch.
TEST(ScaleBarWindow, StandsInTheVisibleMapAndGoesWithItsSwitch) {
  MeasuredCity c;
  MapWindow& f = c.Form();
  ASSERT_TRUE(f.PanelSearch->isVisible());
  const QRect visible = f.VisibleMapRect();
  EXPECT_GE(visible.left(), f.PanelSearch->width());
  const auto barRow = [&] {
    const QImage map = f.MapView()->grab().toImage();
    QString row;
    for (int x = visible.left() + 10; x < visible.left() + 140; ++x)
      row += map.pixel(x, visible.bottom() - 13) == qRgb(0, 0, 0) ? '#' : '.';
    return row;
  };
  EXPECT_EQ(barRow(), QString(2, '.') + QString(125, '#') + QString(3, '.'));
  EXPECT_TRUE(f.MenuItem("ScaleBarItem")->isChecked());
  f.MenuItem("ScaleBarItem")->trigger();
  EXPECT_FALSE(f.Core().Ui.ShowScaleBar);
  EXPECT_EQ(barRow(), QString(130, '.'));
}

TEST(ScaleBarWindow, ACityWithoutAGeoreferenceGreysTheSwitch) {
  for (const bool georeferenced : {true, false}) {
    MeasuredCity c(georeferenced);
    QAction* bar = c.Form().MenuItem("ScaleBarItem");
    EXPECT_EQ(bar->isEnabled(), georeferenced);
    EXPECT_EQ(bar->toolTip(), georeferenced ? U("Масштабная линейка") : U(kNeedsGeoReferenceHint));
  }
}
