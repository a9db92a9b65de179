// The map's context menu in the real map window: "Что здесь?" lists what lies
// under the point and a chosen row is selected as a list search result is;
// "Центрировать здесь" brings the point to the middle; "Копировать координаты"
// puts its map coordinates on the clipboard, "Копировать широту и долготу" and
// "Копировать ссылку geo:" (a city with a georeference only) its latitude and
// longitude.  A right drag
// still only drags.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapContextMenu.h"
#include "render/VisibleMiddle.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/WhatIsHereWindow.h"
#include "support/CityBuilder.h"

namespace {

const char* const kLongName = "Промышленная и хозяйственная зона";
const std::string kLongerName = std::string(kLongName) + ", " + kLongName + ", " + kLongName;

// Two streets crossing at (650, 600); a house and a school inside a
// residential region east of the crossing; two streets of long names far south.
struct Crossing {
  // `georeference`: the bytes of the city's Info/Georef.inf, none when empty.
  explicit Crossing(const std::string& georeference = "") {
    city.About("Городок");
    if (!georeference.empty()) city.Raw("Info/Georef.inf", georeference);
    city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "500 600 800 600", 2, "4", "улица"),
                                    StreetRecord("Мира", "650 500 650 800", 2, "3", "проспект"),
                                    StreetRecord(kLongName, "500 900 800 900", 2, "3", "улица"),
                                    StreetRecord(kLongerName, "500 950 800 950", 2, "3", "улица")});
    city.Plain("Data/Buildings.txt", {{W("Мира"), "5", W("Почта"), "4", "660 610 700 610 700 640 660 640"}});
    city.Plain("Data/Regions.txt", {{W("Жилая зона"), "4", "655 605 760 605 760 700 655 700", "0", " "}});
    city.Plain("Data/Objects.txt", {{W("Школа"), W("Мира"), "7", W("Гимназия"), "720 680", "0"}});
    windows = std::make_unique<ShellWindows>(city.DataRoot());
    windows->cityChooser->OnLoadClicked();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form()));
  }
  MapWindow& Form() { return *windows->mapWindow; }
  MapContextMenu& Menu() { return *Form().ContextMenu(); }

  // The window pixel of map point (x, y).
  QPoint Pixel(int x, int y) {
    const ViewState& v = Form().Core().View;
    return {static_cast<int>(x * v.Scale) - v.OffsetX - v.ScreenWidth / 2,
            static_cast<int>(y * v.Scale) - v.OffsetY - v.ScreenHeight / 2};
  }
  // A right click on map point (x, y): the menu opens there.
  void RightClick(int x, int y) {
    QTest::mouseClick(Form().MapView(), Qt::RightButton, Qt::NoModifier, Pixel(x, y));
    QTRY_VERIFY(Menu().Menu()->isVisible());
  }
  // "Что здесь?" on map point (x, y): the list's rows, "kind | name | address".
  QStringList WhatIsHere(int x, int y) {
    RightClick(x, y);
    Menu().WhatIsHereItem->trigger();
    Menu().Menu()->hide();
    QStringList rows;
    const QTableWidget* list = Menu().Window()->PlaceList;
    for (int r = 0; r < list->rowCount(); ++r)
      rows << list->item(r, 0)->text() + " | " + list->item(r, 1)->text() + " | " + list->item(r, 2)->text();
    return rows;
  }
  void ClickRow(int row, bool twice) {
    QTableWidget* list = Menu().Window()->PlaceList;
    const QPoint at = list->visualRect(list->model()->index(row, 1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }

  CityBuilder city{"Town"};
  std::unique_ptr<ShellWindows> windows;
};

}  // namespace

TEST(WhatIsHere, ListsWhatLiesUnderThePoint) {
  Crossing c;
  struct Case {
    const char* what;
    int x, y;
    QStringList rows;
  };
  const Case cases[] = {
      {"the crossing", 650, 600, {U("улица | Ленина | "), U("проспект | Мира | ")}},
      {"4 pixels beside a street drawn 3 wide", 630, 604, {U("улица | Ленина | ")}},
      {"a building", 680, 625, {U("Здание | Почта | Мира 5"), U("Область | Жилая зона | ")}},
      {"a region", 740, 620, {U("Область | Жилая зона | ")}},
      {"an object", 728, 690, {U("Школа | Гимназия | Мира 7"), U("Область | Жилая зона | ")}},
      {"5 pixels beside the street: nothing", 630, 605, {}},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(c.WhatIsHere(k.x, k.y).join("\n").toStdString(), k.rows.join("\n").toStdString()) << k.what;
    EXPECT_TRUE(c.Menu().Window()->isVisible());
    EXPECT_EQ(c.Menu().Window()->PointLabel->text(),
              U("Координаты: ") + QString::number(k.x) + " " + QString::number(k.y));
  }
  EXPECT_EQ(c.Menu().Window()->CountLabel->text(), U("Здесь ничего нет."));
}

// Each column is as wide as its texts, an empty address column no wider than
// its caption, and the window widens for them; a cell the window still cuts
// (and every other cell with text) tells its text as a tooltip.
TEST(WhatIsHere, ColumnsFitTheirTextsAndEveryCellTellsItsText) {
  Crossing c;
  const QTableWidget* list = c.Menu().Window()->PlaceList;
  struct Case {
    int y;
    std::string name;
    bool whole;  // the name shows uncut in the window
  };
  for (const Case& k : {Case{900, kLongName, true}, Case{950, kLongerName, false}}) {
    ASSERT_EQ(c.WhatIsHere(650, k.y), QStringList{U(("улица | " + k.name + " | ").c_str())});
    const QRect name = list->visualItemRect(list->item(0, 1));
    const QRect address = list->visualItemRect(list->item(0, 2));
    EXPECT_GE(name.width(), list->fontMetrics().horizontalAdvance(U(k.name.c_str()))) << k.name;
    EXPECT_EQ(name.right() < list->viewport()->width(), k.whole) << k.name;
    if (k.whole) {
      EXPECT_LT(address.width(), name.width() / 2) << k.name;
    }
    EXPECT_EQ(list->item(0, 0)->toolTip(), U("улица"));
    EXPECT_EQ(list->item(0, 1)->toolTip(), U(k.name.c_str()));
    EXPECT_EQ(list->item(0, 2)->toolTip(), QString());
  }
}

// A click on a row selects it as a click on a list search result does; a
// double click also centres it (at 400%, "Зумировать при выделении" being
// ticked); a region is shown but cannot be chosen.
TEST(WhatIsHere, ChoosingARowSelectsItAsTheListSearchWould) {
  Crossing c;
  MapWindow& f = c.Form();
  ASSERT_EQ(c.WhatIsHere(650, 600).size(), 2);
  c.ClickRow(0, false);
  EXPECT_TRUE(f.Core().Selection.StreetSelected);
  EXPECT_EQ(f.StatusPanel[1]->text(), U("улица Ленина"));
  EXPECT_FLOAT_EQ(f.Core().View.Scale, 1.0f);

  ASSERT_EQ(c.WhatIsHere(680, 625).size(), 2);
  c.ClickRow(0, true);
  EXPECT_FALSE(f.Core().Selection.StreetSelected);  // cleared first
  EXPECT_TRUE(f.Core().Selection.BuildingSelected);
  EXPECT_EQ(f.StatusPanel[0]->text(), U("Почта"));
  EXPECT_EQ(f.StatusPanel[1]->text(), U("Мира"));
  EXPECT_EQ(f.StatusPanel[2]->text(), U("5"));
  EXPECT_FLOAT_EQ(f.Core().View.Scale, 4.0f);
  EXPECT_EQ(f.ZoomEdit->text(), "400%");
  EXPECT_EQ(c.Pixel(660, 610), VisibleMapCentre(f.VisibleMapRect()));

  c.ClickRow(1, true);  // the region
  EXPECT_TRUE(f.Core().Selection.BuildingSelected);
  EXPECT_TRUE(c.Menu().Window()->PlaceList->selectedItems().isEmpty());
}

// A left click that finds no icon chooses the building (where buildings are
// drawn) or else the street under it as the list search would, the view staying
// put; on bare ground it clears the selection; an icon still answers first.
TEST(WhatIsHere, ALeftClickChoosesTheBuildingOrStreetUnderIt) {
  Crossing c;
  MapWindow& f = c.Form();
  f.ZoomSlider->setValue(4);  // 200%: buildings are drawn
  struct Case {
    const char* what;
    int x, y;
    const char* status[3];
    bool building, street, object;
  };
  for (const Case& k : {Case{"the post office", 680, 625, {"Почта", "Мира", "5"}, true, false, false},
                        Case{"Lenin street", 560, 600, {"", "улица Ленина", ""}, false, true, false},
                        Case{"bare ground in the region", 740, 640, {"", "", ""}, false, false, false},
                        Case{"the school's icon", 720, 680, {"Школа", "Гимназия", "Мира 7"}, false, false, true}}) {
    SCOPED_TRACE(k.what);
    const ViewState before = f.Core().View;
    QTest::mouseClick(f.MapView(), Qt::LeftButton, Qt::NoModifier, c.Pixel(k.x, k.y));
    const SelectionState& s = f.Core().Selection;
    EXPECT_EQ(s.BuildingSelected, k.building);
    EXPECT_EQ(s.StreetSelected, k.street);
    EXPECT_EQ(s.ObjectSelected, k.object);
    if (!k.object)
      for (int p = 0; p < 3; ++p) EXPECT_EQ(f.StatusPanel[p]->text(), U(k.status[p])) << p;
    EXPECT_EQ(f.Core().View.OffsetX, before.OffsetX);
    EXPECT_EQ(f.Core().View.OffsetY, before.OffsetY);
  }
  // A drag that starts on a street is no click: it chooses nothing.
  QTest::mousePress(f.MapView(), Qt::LeftButton, Qt::NoModifier, c.Pixel(560, 600));
  QTest::mouseMove(f.MapView(), c.Pixel(560, 600) + QPoint(40, 0));
  QTest::mouseRelease(f.MapView(), Qt::LeftButton, Qt::NoModifier, c.Pixel(560, 600) + QPoint(40, 0));
  EXPECT_FALSE(f.Core().Selection.StreetSelected);
}

TEST(WhatIsHere, CentresAndCopiesThePointAndARightDragOnlyDrags) {
  Crossing c;
  MapWindow& f = c.Form();
  c.RightClick(740, 620);
  c.Menu().CopyCoordinatesItem->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "740 620");
  c.Menu().CentreHereItem->trigger();
  c.Menu().Menu()->hide();
  EXPECT_EQ(c.Pixel(740, 620), VisibleMapCentre(f.VisibleMapRect()));

  const QPoint from = c.Pixel(700, 620);
  QTest::mousePress(f.MapView(), Qt::RightButton, Qt::NoModifier, from);
  QTest::mouseMove(f.MapView(), from + QPoint(40, 0));
  QTest::mouseRelease(f.MapView(), Qt::RightButton, Qt::NoModifier, from + QPoint(40, 0));
  QTest::qWait(20);
  EXPECT_FALSE(c.Menu().Menu()->isVisible());
  EXPECT_EQ(c.Pixel(700, 620), from + QPoint(40, 0));
}

// The menu has "Копировать широту и долготу" for a city with a georeference,
// and "Что здесь?" shows the latitude and longitude too; the menu of a city
// without one is as it was, and a point the georeference does not reach has
// none (the entry is there but cannot be chosen).
TEST(WhatIsHere, ACityWithAGeoreferenceShowsAndCopiesLatitudeAndLongitude) {
  const auto georeference = [](const std::string& origin) {
    return "Tellurin georeference 1\r\n"
           "proj +proj=tmerc +approx +lat_0=45.0312100 +lon_0=39.0240600 +k=1 +x_0=0 +y_0=0 +ellps=WGS84\r\n"
           "unit 4\r\norigin " + origin + "\r\naxes east south\r\n";
  };
  struct Case {
    const char* what;
    std::string georeference;
    QStringList menu;  // the entries shown
    bool copies;
    QString label;
  };
  const QStringList plain = {U("Что здесь?"), U("Центрировать здесь"), U("Копировать координаты")};
  const QStringList geo = {U("Копировать широту и долготу"), U("Копировать ссылку geo:")};
  const QStringList directions = {QString(), U("Маршрут отсюда"), U("Маршрут сюда")};  // after a separator
  const Case cases[] = {
      {"no georeference", "", plain, false, U("Координаты: 740 620")},
      {"the point at the centre of the projection", georeference("740 620"),
       plain + geo, true,
       U("Координаты: 740 620; широта и долгота: 45.03121, 39.02406")},
      {"the point 2400 km west of it", georeference("600740 620"),
       plain + geo, false, U("Координаты: 740 620")},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Crossing c(k.georeference);
    QGuiApplication::clipboard()->setText("before");
    c.RightClick(740, 620);
    QStringList shown;
    for (const QAction* action : c.Menu().Menu()->actions())
      if (action->isVisible()) shown << action->text();
    EXPECT_EQ(shown, k.menu + QStringList({QString(), U("Измерить расстояние")}) + directions);
    EXPECT_EQ(c.Menu().CopyLatLonItem->isEnabled(), k.copies);
    c.Menu().CopyLatLonItem->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), k.copies ? "45.03121, 39.02406" : "before");
    EXPECT_EQ(c.Menu().CopyGeoLinkItem->isEnabled(), k.copies);
    c.Menu().CopyGeoLinkItem->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), k.copies ? "geo:45.03121,39.02406" : "before");
    c.Menu().WhatIsHereItem->trigger();
    c.Menu().Menu()->hide();
    EXPECT_EQ(c.Menu().Window()->PointLabel->text(), k.label);
  }
}
