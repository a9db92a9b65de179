// The map window on a screen whose pixels are finer than its window pixels
// (run once more with QT_SCALE_FACTOR=2 as a test of its own): the map
// picture and the saved picture have the device's pixels, the map area shows
// detail finer than a window pixel, and a click and the highlight of what it
// selects stand at the window pixels they stand at on a screen at 100%.
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

#include "render/MapPicture.h"
#include "render/MapStyle.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "support/CityBuilder.h"
#include "support/DevicePixels.h"

namespace {

// The first and last device pixel of the row in the colour, -1 when none.
std::pair<int, int> RunOfColour(const QImage& picture, int row, const QColor& colour) {
  int first = -1, last = -1;
  for (int x = 0; x < picture.width(); ++x) {
    if (picture.pixelColor(x, row).rgb() != colour.rgb()) continue;
    if (first < 0) first = x;
    last = x;
  }
  return {first, last};
}

}  // namespace

TEST(MapScreenRatio, TheMapHasTheDevicesPixelsAndKeepsItsWindowPixels) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Plain("Data/Buildings.txt", {{W("Мира"), "10", W("Почта"), "4", "480 580 520 580 520 620 480 620"}});
  city.Plain("Data/Streets.txt", {StreetRecord("Мира", "400 640 600 640", 2)});
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  ASSERT_TRUE(w.messages.empty()) << w.messages.front();
  MapWindow& f = *w.mapWindow;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  f.resize(1000, 800);
  f.ZoomSlider->setValue(4);  // 200%: buildings are drawn
  const MapCore& core = f.Core();
  const double ratio = f.MapView()->devicePixelRatioF();
  SCOPED_TRACE(ratio);

  EXPECT_EQ(core.Map.devicePixelRatio(), ratio);
  EXPECT_EQ(core.Map.size(), QSize(DevicePixels(2 * core.View.ScreenWidth, ratio),
                                   DevicePixels(2 * core.View.ScreenHeight, ratio)));

  const QPoint middle = WindowPixelOf(core.View, 500, 600);
  QTest::mouseClick(f.MapView(), Qt::LeftButton, Qt::NoModifier, middle);
  EXPECT_TRUE(core.Selection.BuildingSelected) << "the click at the building's window pixel";

  // The highlight's row through the middle spans the building's window
  // pixels, each as many device pixels as the ratio.
  const QImage shown = f.MapView()->grab().toImage();
  ASSERT_EQ(shown.size(), f.MapView()->size() * ratio);
  const auto [first, last] =
      RunOfColour(shown, static_cast<int>(std::lround((middle.y() + 0.5) * ratio)), mapstyle::SelectionGreen);
  const int left = WindowPixelOf(core.View, 480, 600).x(), right = WindowPixelOf(core.View, 520, 600).x();
  EXPECT_NEAR(first, (left + 1) * ratio, ratio + 1);
  EXPECT_NEAR(last + 1, right * ratio, ratio + 1);
  if (ratio >= 2) EXPECT_GT(ShareOfMixedBlocks(shown, 2), 0.0) << "finer than the window's pixels";

  const QImage saved = f.VisibleMapPicture();
  EXPECT_EQ(saved.size(), QSize(DevicePixels(f.VisibleMapRect().width(), ratio),
                                DevicePixels(f.VisibleMapRect().height(), ratio)));
}
