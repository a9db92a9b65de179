// Every way of centring the view brings its point to the middle of the visible
// map, the part of the map area that the tool bar and the open side panels
// leave, as the keyboard's zoom does; every zoom and a new size of the window
// keep that middle, and the zoom controls follow every change of scale.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "interaction/ViewMoves.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapContextMenu.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"
#include "shell/widgets/WhatIsHereWindow.h"
#include "support/CityBuilder.h"

namespace {

QPoint FirstRow(QTableView* list) { return list->visualRect(list->model()->index(0, 0)).center(); }

void DoubleClickFirstRow(QTableView* list) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, FirstRow(list));
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, FirstRow(list));
}

}  // namespace

TEST(MapCentring, SelectionsRoutesAndCentreHereAimAtTheMiddleOfTheVisibleMap) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Plain("Data/Buildings.txt", {{W("Мира"), "10", W("Почта"), "4", "300 200 330 200 330 230 300 230"}});
  city.Raw("Firms/a.txt", PlainFirmBytes({W("Аптека"), W("Мира"), "10", "700 500", W("лекарства")}));
  city.Plain("Data/Path.txt", {{W("Автобус"), W("№ 1"), W(" "), "2", "900 300 950 300"}});
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  ASSERT_TRUE(w.messages.empty()) << w.messages.front();
  MapWindow& f = *w.mapWindow;
  const ViewState& view = f.Core().View;

  struct Case {
    const char* What;
    std::function<QPoint()> Centre;  // centres something; returns its map point
  };
  const std::vector<Case> cases = {
      {"a double-clicked building of the list search",
       [&] {
         f.PanelSearch->KeyField->setText(U("мира"));
         QTest::keyClick(f.PanelSearch->KeyField, Qt::Key_Return);
         DoubleClickFirstRow(f.PanelSearch->SearchListView);
         return QPoint(300, 200);
       }},
      {"a double-clicked firm, its information panel open on the right",
       [&] {
         f.MenuItem("N16")->trigger();
         f.FirmSearch->KeyField->setText(U("аптека"));
         QTest::keyClick(f.FirmSearch->KeyField, Qt::Key_Return);
         DoubleClickFirstRow(f.FirmSearch->SearchFirmListView);
         return QPoint(700, 500);
       }},
      {"a double-clicked route",
       [&] {
         f.MenuItem("N17")->trigger();
         DoubleClickFirstRow(f.PanelPath->ListOfPath2);
         return QPoint(900, 300);
       }},
      {"\"Центрировать здесь\" near the corner of the visible map",
       [&] {
         const QPoint at = f.VisibleMapRect().topLeft() + QPoint(30, 30);
         const HitPoint hit = WindowToHit(view, at.x(), at.y());
         const QPoint place(static_cast<int>(std::lround(hit.X / view.Scale)),
                            static_cast<int>(std::lround(hit.Y / view.Scale)));
         QTest::mouseClick(f.MapView(), Qt::RightButton, Qt::NoModifier, at);
         EXPECT_TRUE(QTest::qWaitFor([&] { return f.ContextMenu()->Menu()->isVisible(); }));
         f.ContextMenu()->CentreHereItem->trigger();
         f.ContextMenu()->Menu()->hide();
         return place;
       }},
  };
  for (const Case& c : cases) {
    const QPoint place = c.Centre();
    const QRect visible = f.VisibleMapRect();
    // Side panels are open: the visible map is not the map area.
    ASSERT_GT(std::abs(VisibleMapCentre(visible).x() - f.MapView()->width() / 2), 50) << c.What;
    const QPoint shown = WindowPixelOf(view, place.x(), place.y());
    EXPECT_LE((shown - VisibleMapCentre(visible)).manhattanLength(), 2)
        << c.What << ": at " << shown.x() << "," << shown.y() << " in " << visible.x() << "," << visible.y() << " "
        << visible.width() << "x" << visible.height();
  }
}

namespace {

// A town with a street, a building, a firm and a route, loaded with the list
// search open on the left and the firm search on the right.
struct TownWithPanels {
  TownWithPanels() {
    city.About("Городок");
    city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "100 400 900 400", 2)});
    city.Plain("Data/Buildings.txt", {{W("Мира"), "10", W("Почта"), "4", "300 200 330 200 330 230 300 230"}});
    city.Raw("Firms/a.txt", PlainFirmBytes({W("Аптека"), W("Мира"), "10", "700 500", W("лекарства")}));
    windows = std::make_unique<ShellWindows>(city.DataRoot());
    windows->cityChooser->OnLoadClicked();
    EXPECT_TRUE(windows->messages.empty()) << windows->messages.front();
    Form().MenuItem("N16")->trigger();
  }
  MapWindow& Form() { return *windows->mapWindow; }
  const ViewState& View() { return Form().Core().View; }
  // Finds `key` in the list search and double-clicks the first row found.
  void ChooseFromListSearch(const char* key) {
    Form().PanelSearch->KeyField->setText(U(key));
    QTest::keyClick(Form().PanelSearch->KeyField, Qt::Key_Return);
    DoubleClickFirstRow(Form().PanelSearch->SearchListView);
  }
  void TypeScale(const char* percent) {
    Form().ZoomEdit->setText(percent);
    QTest::keyClick(Form().ZoomEdit, Qt::Key_Return);
  }
  // How far map point (x, y) is shown from the middle of the visible map.
  int OffMiddle(int x, int y) {
    return (WindowPixelOf(View(), x, y) - VisibleMapCentre(Form().VisibleMapRect())).manhattanLength();
  }

  CityBuilder city{"Town"};
  std::unique_ptr<ShellWindows> windows;
};

}  // namespace

// The zoom field and the track bar keep the map point in the middle of the
// visible map there, as the keys do, with the list search open on the left.
TEST(MapCentring, ZoomFieldAndTrackBarKeepTheMiddleOfTheVisibleMap) {
  TownWithPanels town;
  MapWindow& f = town.Form();
  f.MenuItem("N16")->trigger();  // the firm search closed again
  town.ChooseFromListSearch("мира");  // the building at (300, 200), in the middle at 400%
  ASSERT_LE(town.OffMiddle(300, 200), 1);
  ASSERT_GT(std::abs(VisibleMapCentre(f.VisibleMapRect()).x() - f.MapView()->width() / 2), 50);
  const std::vector<std::pair<const char*, std::function<void()>>> zooms = {
      {"100 typed", [&] { town.TypeScale("100"); }},
      {"the track bar at 500%", [&] { f.ZoomSlider->setValue(10); }},
      {"400 typed", [&] { town.TypeScale("400"); }},
      {"the track bar at 150%", [&] { f.ZoomSlider->setValue(3); }},
  };
  for (const auto& [what, zoom] : zooms) {
    const float scale = town.View().Scale;
    zoom();
    EXPECT_NE(town.View().Scale, scale) << what;
    EXPECT_LE(town.OffMiddle(300, 200), 2) << what;
  }
}

// A new size of the window keeps the map point in the middle of the visible
// map there: the city stays in view when the window is made smaller or
// larger, whatever its top-left corner showed.
TEST(MapCentring, ResizingKeepsTheMiddleOfTheVisibleMap) {
  TownWithPanels town;
  MapWindow& f = town.Form();
  f.setWindowState(Qt::WindowNoState);
  f.resize(1000, 700);
  QApplication::processEvents();
  town.ChooseFromListSearch("мира");
  ASSERT_LE(town.OffMiddle(300, 200), 1);
  for (const QSize size : {QSize(1100, 760), QSize(900, 560), QSize(1000, 700)}) {
    f.resize(size);
    QApplication::processEvents();
    ASSERT_EQ(f.size(), size);
    EXPECT_LE(town.OffMiddle(300, 200), 1) << size.width() << "x" << size.height();
  }
}

// Whatever zooms in on a selection moves the track bar and the zoom field
// with the scale: a building, a street or a firm chosen from the lists, a row
// of «Что здесь?».
TEST(MapCentring, TrackBarFollowsEveryZoomOnSelection) {
  TownWithPanels town;
  MapWindow& f = town.Form();
  // «Что здесь?» is asked over the building, still in the middle after its choice.
  const std::vector<std::pair<const char*, std::function<void()>>> choices = {
      {"a building of the list search", [&] { town.ChooseFromListSearch("мира"); }},
      {"a row of «Что здесь?»",
       [&] {
         QTest::mouseClick(f.MapView(), Qt::RightButton, Qt::NoModifier, WindowPixelOf(town.View(), 315, 215));
         EXPECT_TRUE(QTest::qWaitFor([&] { return f.ContextMenu()->Menu()->isVisible(); }));
         f.ContextMenu()->WhatIsHereItem->trigger();
         f.ContextMenu()->Menu()->hide();
         QTableWidget* list = f.ContextMenu()->Window()->PlaceList;
         ASSERT_GT(list->rowCount(), 0);
         const QPoint row = list->visualRect(list->model()->index(0, 1)).center();
         QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row);
         QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row);
       }},
      {"a street of the list search", [&] { town.ChooseFromListSearch("ленина"); }},
      {"a firm of the firm search",
       [&] {
         f.FirmSearch->KeyField->setText(U("аптека"));
         QTest::keyClick(f.FirmSearch->KeyField, Qt::Key_Return);
         DoubleClickFirstRow(f.FirmSearch->SearchFirmListView);
       }},
  };
  for (const auto& [what, choose] : choices) {
    town.TypeScale("100");
    ASSERT_EQ(f.ZoomSlider->value(), 2) << what;
    choose();
    EXPECT_EQ(town.View().Scale, 4.0f) << what;
    EXPECT_EQ(f.ZoomSlider->value(), 8) << what;
    EXPECT_EQ(f.ZoomEdit->text(), U("400%")) << what;
  }
}
