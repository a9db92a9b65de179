#pragma once
// A georeferenced test city in the real map window, for the distance tools:
// a street through map point (500, 600), which is 55.75 N, 37.60 E, on the
// projection's central meridian, where 250 map units are 1000 m.
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <memory>

#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapContextMenu.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "support/CityBuilder.h"

// `georeferenced`: the city has Info/Georef.inf.
struct MeasuredCity {
  explicit MeasuredCity(bool georeferenced = true) {
    city.About("Городок");
    if (georeferenced)
      city.Raw("Info/Georef.inf",
               "Tellurin georeference 1\r\n"
               "proj +proj=tmerc +approx +lat_0=55.7501797 +lon_0=37.6027932 +k=1 +x_0=0 +y_0=0 +ellps=WGS84\r\n"
               "unit 4\r\norigin 500 600\r\naxes east south\r\n");
    city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "300 600 900 600", 2, "4", "улица")});
    windows = std::make_unique<ShellWindows>(city.DataRoot());
    windows->cityChooser->OnLoadClicked();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form()));
  }
  MapWindow& Form() { return *windows->mapWindow; }
  MapContextMenu& Menu() { return *Form().ContextMenu(); }
  QPoint Pixel(int x, int y) { return WindowPixelOf(Form().Core().View, x, y); }
  void StartAt(int x, int y) {
    QTest::mouseClick(Form().MapView(), Qt::RightButton, Qt::NoModifier, Pixel(x, y));
    QTRY_VERIFY(Menu().Menu()->isVisible());
    Menu().MeasureItem->trigger();
    Menu().Menu()->hide();
  }
  void Click(int x, int y) { QTest::mouseClick(Form().MapView(), Qt::LeftButton, Qt::NoModifier, Pixel(x, y)); }
  void DoubleClick(int x, int y) {
    QTest::mouseDClick(Form().windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       Form().MapView()->mapTo(&Form(), Pixel(x, y)));
  }
  void Key(Qt::Key key) { QTest::keyClick(Form().MapView(), key); }
  // The status bar's measured length, empty when it shows none.
  QString Shown() { return Form().MeasurePanel->isVisible() ? Form().MeasurePanel->text() : QString(); }

  CityBuilder city{"Town"};
  std::unique_ptr<ShellWindows> windows;
};

