// Directions in the real map window.  On a demo city (which has a road
// graph) «Маршрут отсюда» and «Маршрут сюда» fill the «Маршрут» panel with
// FindRoute's length, time and steps and draw the route (in the saved
// picture too); «На машине» finds it again; a chosen step comes to the
// middle of the map; Esc clears the panel and the route's pixels; an end far
// from the roads is told in the panel; another city's load clears the route.
// A city without a graph, or with a damaged one, greys the items with the
// reason.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "render/VisibleMiddle.h"
#include "route/Router.h"
#include "shell/widgets/DirectionsPanel.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapContextMenu.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/WidgetKit.h"
#include "support/CityBuilder.h"
#include "support/DemoCities.h"
#include "view/RouteOverlay.h"

namespace {

struct MapOf {
  explicit MapOf(const fs::path& root, const std::string& city) : windows(root) {
    windows.cityChooser->SelectCity(city);
    windows.cityChooser->OnLoadClicked();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form()));
  }
  MapWindow& Form() { return *windows.mapWindow; }
  MapContextMenu& Menu() { return *Form().ContextMenu(); }
  DirectionsPanel& Panel() { return *Form().RoutePanel; }

  // The context menu opened on map point (x, y); the map point it is for.
  MapPoint OpenMenuAt(int x, int y) {
    const ViewState& v = Form().Core().View;
    const QPoint pixel = WindowPixelOf(v, x, y);
    QTest::mouseClick(Form().MapView(), Qt::RightButton, Qt::NoModifier, pixel);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Menu().Menu()->isVisible(); }));
    return HitToMap(WindowToHit(v, pixel.x(), pixel.y()), v.Scale);
  }
  MapPoint ChooseEnd(int x, int y, bool fromHere) {
    const MapPoint at = OpenMenuAt(x, y);
    (fromHere ? Menu().RouteFromHereItem : Menu().RouteToHereItem)->trigger();
    Menu().Menu()->hide();
    return at;
  }
  // Pixels of the map area in the route's own colour.
  int RoutePixels() { return RoutePixelsOf(Form().MapView()->grab().toImage()); }
  static int RoutePixelsOf(const QImage& picture) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) count += picture.pixelColor(x, y).rgb() == kRouteColour.rgb();
    return count;
  }
  // The panel's steps, "street | distance | turn".
  QStringList StepRows() {
    QStringList rows;
    const QTableWidget* list = Panel().StepList;
    for (int r = 0; r < list->rowCount(); ++r)
      rows << list->item(r, 0)->text() + " | " + list->item(r, 1)->text() + " | " + list->item(r, 2)->text();
    return rows;
  }

  ShellWindows windows;
};

QStringList ExpectedRows(const FoundRoute& route) {
  QStringList rows;
  for (const RouteStep& step : route.Steps)
    rows << FromCp(step.Street) + " | " + DistanceText(step.Metres) + " | " + QString::fromUtf8(TurnWord(step.TurnOnto));
  return rows;
}

struct DemoRoot {
  DemoRoot() { EXPECT_EQ(RunDemoGenerator({"--out", QString::fromStdString(NativeString(dir.Path()))}).ExitCode, 0); }
  TempDir dir;
};

}  // namespace

TEST(Directions, PanelShowsTheRouteOfBothModesCentresOnAStepAndEscClearsIt) {
  DemoRoot root;
  MapOf m(root.dir.Path(), kPlainDemoCity);
  QTest::keyClick(m.Form().MapView(), Qt::Key_Home);  // the whole city in view
  const MapPoint from = m.ChooseEnd(110, 300, true);
  EXPECT_FALSE(m.Panel().StepList->rowCount()) << "one end only: no route yet";
  EXPECT_TRUE(m.Panel().NoticeLabel->isVisible());
  const MapPoint to = m.ChooseEnd(900, 700, false);
  ASSERT_TRUE(m.Panel().isVisible());

  RoadGraphReading reading = ReadRoadGraph(m.Form().Core().City());
  ASSERT_TRUE(reading.Graph) << reading.Problem;
  const RoadNetwork network(std::move(*reading.Graph));
  for (const TravelMode mode : {TravelMode::Foot, TravelMode::Car}) {
    if (mode == TravelMode::Car) m.Panel().CarButton->click();
    const RouteAnswer expected = FindRoute(network, {double(from.X), double(from.Y)}, {double(to.X), double(to.Y)}, mode);
    ASSERT_TRUE(expected.Found) << expected.Problem;
    EXPECT_EQ(m.Panel().TotalLabel->text(),
              DistanceText(expected.Found->Metres) + ", " + DurationText(expected.Found->Seconds));
    EXPECT_EQ(m.StepRows(), ExpectedRows(*expected.Found));
  }
  EXPECT_GT(m.StepRows().size(), 2);
  EXPECT_GT(m.RoutePixels(), 100);
  EXPECT_GT(m.RoutePixelsOf(m.Form().VisibleMapPicture()), 100) << "the saved picture shows it too";

  m.Panel().StepList->selectRow(2);
  const MapPointF step = FindRoute(network, {double(from.X), double(from.Y)}, {double(to.X), double(to.Y)},
                                   TravelMode::Car).Found->Steps[2].At;
  const ViewState& v = m.Form().Core().View;
  const QPoint middle = VisibleMapCentre(m.Form().VisibleMapRect());
  const MapPoint shown = HitToMap(WindowToHit(v, middle.x(), middle.y()), v.Scale);
  EXPECT_NEAR(shown.X, step.X, 2 / v.Scale + 1);
  EXPECT_NEAR(shown.Y, step.Y, 2 / v.Scale + 1);

  QTest::keyClick(m.Form().MapView(), Qt::Key_Escape);
  EXPECT_FALSE(m.Panel().isVisible());
  EXPECT_EQ(m.RoutePixels(), 0);

  m.Form().OnRouteEndChosen({5000, 5000}, true);  // far beyond the city's roads
  m.Form().OnRouteEndChosen(to, false);
  EXPECT_EQ(m.Panel().NoticeLabel->text(), U("Рядом нет дорог: у начала маршрута"));
  EXPECT_EQ(m.Panel().StepList->rowCount(), 0);

  m.Form().OnRouteEndChosen(from, true);
  ASSERT_GT(m.Panel().StepList->rowCount(), 0);
  m.windows.cityChooser->SelectCity(kScrambledDemoCity);
  m.windows.cityChooser->OnLoadClicked();
  EXPECT_FALSE(m.Panel().isVisible()) << "another city's load clears the route";
  EXPECT_EQ(m.RoutePixels(), 0);
  EXPECT_TRUE(m.windows.messages.empty()) << m.windows.messages.front();
}

TEST(Directions, ACityWithoutAGoodRoadGraphGreysTheItemsWithTheReason) {
  struct Case {
    const char* what;
    const char* graphBytes;  // none: no file
    const char* hint;
    size_t messages;  // the damaged file's, once for two menus
  };
  const Case cases[] = {
      {"no graph", nullptr, "у города нет графа дорог", 0},
      {"a damaged graph", "Tellurin road graph 1\n", "граф дорог города повреждён", 1},
  };
  for (const Case& k : cases) {
    CityBuilder city("Town");
    city.About("Городок");
    city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "500 600 800 600", 2, "4", "улица")});
    if (k.graphBytes) city.Raw("Data/Roads.gr", k.graphBytes);
    MapOf m(city.DataRoot(), city.Name());
    for (int twice = 0; twice < 2; ++twice) {
      m.OpenMenuAt(600, 600);
      for (QAction* item : {m.Menu().RouteFromHereItem, m.Menu().RouteToHereItem}) {
        EXPECT_FALSE(item->isEnabled()) << k.what;
        EXPECT_TRUE(item->toolTip().contains(U(k.hint))) << k.what << ": " << item->toolTip().toStdString();
      }
      m.Menu().Menu()->hide();
    }
    EXPECT_FALSE(m.Form().MenuItem("RouteToSelectionItem")->isEnabled()) << k.what;
    EXPECT_EQ(m.windows.messages.size(), k.messages) << k.what;
    EXPECT_FALSE(m.Panel().isVisible()) << k.what;
  }
}
