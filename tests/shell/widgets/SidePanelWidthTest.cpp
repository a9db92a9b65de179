// The side panels widened by dragging their splitters, the widths remembered
// between runs, and the result lists' columns as wide as their texts, with a
// cell's whole text in its hint.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "shell/widgets/AppWindows.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"
#include "support/CityBuilder.h"
#include "mapdata/NativeName.h"

namespace {

void Drag(QWidget* handle, int dx) {
  const QPoint from(2, handle->height() / 2);
  QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(handle, from + QPoint(dx, 0));
  QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, from + QPoint(dx, 0));
  QApplication::processEvents();  // the window lays its panels out anew
}

// Every cell of a column shown whole, and its hint holding its whole text;
// the caption shown whole too.
void ExpectColumnWhole(const QTableView* list, int column) {
  const QFontMetrics cells(list->font()), caption(list->horizontalHeader()->font());
  EXPECT_GE(list->columnWidth(column), caption.horizontalAdvance(ColumnCaption(list, column)))
      << list->objectName().toStdString();
  for (int row = 0; row < Rows(list); ++row) {
    const QString text = CellText(list, row, column);
    EXPECT_GE(list->columnWidth(column), cells.horizontalAdvance(text)) << text.toStdString();
    EXPECT_EQ(list->model()->index(row, column).data(Qt::ToolTipRole).toString().toStdString(), text.toStdString());
  }
}

}  // namespace

TEST(SidePanels, SplittersWidenThePanelsForGoodAndTheListsShowWholeTexts) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Plain("Data/Streets.txt", {StreetRecord("улица Селезнёва", "100 100 900 100", 2)});
  std::vector<LayerRecord> houses;
  int x = 100;
  for (const char* number : {"28", "28а", "28к2", "28/1", "28 корпус 2"}) {
    const std::string xs = std::to_string(x), xe = std::to_string(x + 10);
    houses.push_back({W("улица Селезнёва"), W(number), W(" "), "4",
                      xs + " 120 " + xe + " 120 " + xe + " 130 " + xs + " 130"});
    x += 50;
  }
  city.Plain("Data/Buildings.txt", houses);
  city.Plain("Data/Path.txt", {{W("Троллейбус"), W("№ 7"), W("по улице Селезнёва до вокзала"), "2", "100 900 200 900"}});
  TempDir dir;
  const QString file = QString::fromStdString(NativeString(dir.Path() / "Tellurin.conf"));

  struct Case {
    const char* Splitter;
    std::function<QWidget*(MapWindow&)> Panel;  // opened before the drag
    int Drag, Width;                         // the panel's width after it
  };
  const std::vector<Case> cases = {
      {"LeftSplitter", [](MapWindow& f) { return static_cast<QWidget*>(f.PanelSearch); }, 100, 310},
      {"RightSplitter", [](MapWindow& f) { f.FirmPanelButton->click(); return static_cast<QWidget*>(f.FirmSearch); }, -50,
       270},
  };
  {
    QSettings settings(file, QSettings::IniFormat);
    AppWindows w({city.DataRoot()}, &settings);
    w.CityChooser.show();
    w.CityChooser.OnLoadClicked();
    MapWindow& f = w.Map;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_EQ(f.PanelSearch->width(), 210);
    for (const Case& c : cases) {
      QWidget* panel = c.Panel(f);
      const int mapEdge = f.VisibleMapRect().width();
      QWidget* handle = f.findChild<QWidget*>(c.Splitter);
      if (!handle) {
        ADD_FAILURE() << "no " << c.Splitter;
        continue;
      }
      Drag(handle, c.Drag);
      EXPECT_EQ(panel->width(), c.Width) << c.Splitter;
      EXPECT_LT(f.VisibleMapRect().width(), mapEdge) << c.Splitter;  // the map gives way
    }
    f.PanelSearch->KeyField->setText(U("Селезнёва 28"));
    f.PanelSearch->SearchButton->click();
    QTableView* results = f.PanelSearch->SearchListView;
    ASSERT_EQ(Rows(results), 5);
    for (int row = 0; row < Rows(results); ++row)
      EXPECT_TRUE(CellText(results, row, 0).startsWith(U("улица Селезнёва 28")));
    ExpectColumnWhole(results, 0);
    f.MenuItem("N17")->trigger();  // the routes panel, as wide as the list search
    EXPECT_EQ(f.PanelPath->width(), 310);
    for (int column = 0; column < 3; ++column) ExpectColumnWhole(f.PanelPath->ListOfPath2, column);
    f.MenuItem("N19")->trigger();  // leaving the map writes the settings
  }
  QSettings settings(file, QSettings::IniFormat);
  AppWindows w({city.DataRoot()}, &settings);
  w.CityChooser.show();
  w.CityChooser.OnLoadClicked();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.Map));
  EXPECT_EQ(w.Map.PanelPath->width(), 310);
  EXPECT_EQ(w.Map.FirmSearch->width(), 270);
}

// In a small window the side panels give way before the map gets narrower
// than 200 pixels: widths remembered wide shrink, the widest first, down to a
// usable width, and come back when the window grows again.
TEST(SidePanels, GiveWayToTheMapInASmallWindow) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Raw("Firms/a.txt", PlainFirmBytes({W("Аптека"), W("Мира"), "10", "700 500", W("лекарства")}));
  TempDir dir;
  QSettings settings(QString::fromStdString(NativeString(dir.Path() / "Tellurin.conf")), QSettings::IniFormat);
  settings.setValue("Panels/LeftWidth", 598);
  settings.setValue("Panels/RightWidth", 300);
  settings.setValue("Panels/FirmSearch", true);
  settings.setValue("Window/Maximised", false);
  AppWindows w({city.DataRoot()}, &settings);
  w.CityChooser.show();
  w.CityChooser.OnLoadClicked();
  MapWindow& f = w.Map;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  // The firm's information opens beside the firm search: three panels.
  f.FirmSearch->KeyField->setText(U("аптека"));
  QTest::keyClick(f.FirmSearch->KeyField, Qt::Key_Return);
  QTableView* firms = f.FirmSearch->SearchFirmListView;
  const QPoint firstRow = firms->visualRect(firms->model()->index(0, 0)).center();
  QTest::mouseClick(firms->viewport(), Qt::LeftButton, Qt::NoModifier, firstRow);
  QTest::mouseDClick(firms->viewport(), Qt::LeftButton, Qt::NoModifier, firstRow);
  ASSERT_TRUE(f.InfoPanel->isVisible() && f.FirmSearch->isVisible() && f.PanelSearch->isVisible());

  const int smallest = f.minimumSizeHint().width();
  for (const int width : {1200, 1000, smallest}) {
    f.resize(width, 700);
    QApplication::processEvents();
    const std::string what = std::to_string(f.width()) + " wide";
    EXPECT_GE(f.VisibleMapRect().width(), 200) << what;
    for (const QWidget* panel : std::initializer_list<const QWidget*>{f.PanelSearch, f.InfoPanel, f.FirmSearch})
      EXPECT_GE(panel->width(), kLeastPanelWidth) << what;
    EXPECT_GE(f.PanelSearch->width(), f.FirmSearch->width()) << what << ": the widest gives way first";
  }
  f.resize(1500, 700);
  QApplication::processEvents();
  EXPECT_EQ(f.PanelSearch->width(), 598);
  EXPECT_EQ(f.FirmSearch->width(), 300);
}
