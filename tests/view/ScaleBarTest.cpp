// The scale bar as the map window paints it (PaintMapArea): its label, and the
// length of the bar drawn, measured in the painted pixels, at several scales,
// 1000 and 1500 km east of the central meridian where the projection stretches
// the map by 1.2% and 2.8%, and in a visible map narrowed by a side panel.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "render/ViewTransform.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "view/PaintMapArea.h"
#include "view/ScaleBar.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

GeoReference TownGeoReference() {
  GeoReference geo;
  std::string problem;
  EXPECT_TRUE(ParseGeoReference("Tellurin georeference 1\r\n"
                                "proj +proj=tmerc +approx +lat_0=55.7501797 +lon_0=37.6027932 +k=1 +x_0=0 +y_0=0 "
                                "+ellps=WGS84\r\n"
                                "unit 4\r\norigin 500 600\r\naxes east south\r\n",
                                geo, problem))
      << problem;
  return geo;
}

struct Window {
  explicit Window(QRect visible) : Core(Host) {
    Host.VisibleMap = visible;
    Core.View.ScreenWidth = kWidth;
    Core.View.ScreenHeight = kHeight;
    Core.Map = QImage(2 * kWidth, 2 * kHeight, QImage::Format_RGB32);
    Core.Map.fill(Qt::white);
  }
  void Show(float scale, int x, int y) {
    Core.View.Scale = scale;
    Core.View.CenterX = x;
    Core.View.CenterY = y;
    RecentreOffsets(Core.View);
  }
  QImage Paint() {
    QImage window(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&window);
    PaintMapArea(Core, painter);
    return window;
  }
  RecordingHost Host{kWidth, kHeight};
  MapCore Core;
};

// The black run along the bar's middle row from its left end: the bar's length.
int DrawnBarLength(const QImage& window, const QRect& visible) {
  const int y = visible.bottom() - 12 - 1;
  int x = visible.left() + 12;
  while (x < window.width() && window.pixel(x, y) == qRgb(0, 0, 0)) ++x;
  return x - (visible.left() + 12);
}

}  // namespace

TEST(ScaleBar, ARoundLengthTrueAtTheMiddleOfTheVisibleMap) {
  struct Case {
    const char* what;
    float scale;
    int x, y;
    QRect visible;
    double metresPerPixel;  // along the geodesic at the middle, from PROJ's geod (below)
    const char* label;
    int pixels;
  };
  const QRect whole(0, 0, kWidth, kHeight), besidePanel(214, 30, 810, 738);
  // metresPerPixel: PROJ's `geod -I +ellps=WGS84` between the places 75 pixels
  // either side of the middle (map points through `invproj` with the city's
  // projection), over 150.  Where no round length is 80 to 150 pixels long
  // (at 1500%: 20 m is 75, 50 m 188) the nearer one by ratio is taken.
  const Case cases[] = {
      {"100% at the centre", 1.0f, 500, 600, whole, 4.0, "500 м", 125},
      {"50%", 0.5f, 500, 600, whole, 8.0, "1 км", 125},
      {"200%", 2.0f, 500, 600, whole, 2.0, "200 м", 100},
      {"400%", 4.0f, 500, 600, whole, 1.0, "100 м", 100},
      {"1500%", 15.0f, 500, 600, whole, 4.0 / 15, "20 м", 75},
      {"3%", 0.03f, 500, 600, whole, 4.0 / 0.03, "20 км", 150},
      {"beside a side panel", 1.0f, 500, 600, besidePanel, 4.0, "500 м", 125},
      {"1000 km east of the central meridian", 1.0f, 250500, 600, whole, 3.951375, "500 м", 127},
      {"1500 km east, 50%", 0.5f, 375500, 600, besidePanel, 7.780446, "1 км", 129},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Window w(k.visible);
    w.Core.Geo = TownGeoReference();
    w.Show(k.scale, k.x, k.y);
    const std::optional<ScaleBar> bar = ScaleBarOf(w.Core, k.visible);
    ASSERT_TRUE(bar.has_value());
    EXPECT_EQ(bar->Label, k.label);
    EXPECT_EQ(DrawnBarLength(w.Paint(), k.visible), k.pixels);
    EXPECT_LT(std::abs(k.pixels * k.metresPerPixel - bar->Metres), bar->Metres * 0.01);
  }
}

TEST(ScaleBar, NoneWithoutAGeoreferenceOrWithTheSwitchOff) {
  const QRect whole(0, 0, kWidth, kHeight);
  for (const bool georeferenced : {false, true}) {
    Window w(whole);
    if (georeferenced) w.Core.Geo = TownGeoReference();
    w.Core.Ui.ShowScaleBar = !georeferenced;
    w.Show(1.0f, 500, 600);
    EXPECT_EQ(DrawnBarLength(w.Paint(), whole), 0) << georeferenced;
    EXPECT_FALSE(ScaleBarOf(w.Core, whole).has_value());
  }
}
