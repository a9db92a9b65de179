// The result lists and the route list sorted by a click on a column header:
// house numbers by value, a second click reverses, a new search keeps the
// chosen order, and a click or double click on a sorted row acts on the
// record the row shows.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "render/VisibleMiddle.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"
#include "support/CityBuilder.h"

namespace {

void ClickHeader(QTableView* list, int column) {
  QHeaderView* header = list->horizontalHeader();
  const QPoint inside(header->sectionViewportPosition(column) + 5, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, inside);
}

QPoint RowCentre(QTableView* list, int row) { return list->visualRect(list->model()->index(row, 0)).center(); }

QStringList ColumnTexts(const QTableView* list, int column) {
  QStringList texts;
  for (int row = 0; row < Rows(list); ++row) texts << CellText(list, row, column);
  return texts;
}

QStringList Reversed(QStringList texts) {
  std::reverse(texts.begin(), texts.end());
  return texts;
}

int SelectedRow(const QTableView* list) {
  const QModelIndexList rows = list->selectionModel()->selectedRows();
  return rows.size() == 1 ? rows.front().row() : -1;
}

}  // namespace

TEST(ResultListSort, AHeaderClickSortsByHouseNumberAndRowsKeepTheirRecords) {
  CityBuilder city("Town");
  city.About("Городок");
  // Given in the order 10, 2, 10а, 1; the first point of each is its place.
  city.Plain("Data/Buildings.txt", {{W("Мира"), "10", W("Почта"), "4", "100 100 110 100 110 110 100 110"},
                                    {W("Мира"), "2", W("Баня"), "4", "200 100 210 100 210 110 200 110"},
                                    {W("Мира"), W("10а"), W("Школа"), "4", "300 100 310 100 310 110 300 110"},
                                    {W("Мира"), "1", W("Клуб"), "4", "400 100 410 100 410 110 400 110"}});
  // The firms table is in name order: Аптека (10), Банк (2), Дом быта (1), Кафе (10а).
  city.Raw("Firms/a.txt", PlainFirmBytes({W("Аптека"), W("Мира"), "10", "100 500", W("лекарства")}));
  city.Raw("Firms/b.txt", PlainFirmBytes({W("Банк"), W("Мира"), "2", "200 500", W("вклад")}));
  city.Raw("Firms/c.txt", PlainFirmBytes({W("Кафе"), W("Мира"), W("10а"), "300 500", W("обед")}));
  city.Raw("Firms/d.txt", PlainFirmBytes({W("Дом быта"), W("Мира"), "1", "400 500", W("ремонт")}));
  city.Plain("Data/Path.txt", {{W("Автобус"), W("№ 10"), W(" "), "2", "100 900 200 900"},
                               {W("Автобус"), W("№ 2"), W(" "), "2", "300 900 400 900"},
                               {W("Автобус"), W("№ 1"), W(" "), "2", "500 900 600 900"}});
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  ASSERT_TRUE(w.messages.empty()) << w.messages.front();
  MapWindow& f = *w.mapWindow;
  const ViewState& view = f.Core().View;

  struct Case {
    const char* What;
    std::function<QTableView*()> Open;  // shows the list, filled
    int Column;                         // sorted by
    QStringList Given, Ascending;       // the column's texts
    std::function<QString()> Chosen;    // what the map window shows of the chosen record
    QString Last;                       // that, for the last record in ascending order
    QPoint LastPlace;                   // its first point, which a double click centres
  };
  const std::vector<Case> cases = {
      {"list search by address",
       [&] {
         f.PanelSearch->KeyField->setText(U("мира"));  // the buildings (firms are found by name)
         QTest::keyClick(f.PanelSearch->KeyField, Qt::Key_Return);
         return f.PanelSearch->SearchListView;
       },
       0,
       {U("Мира 10"), U("Мира 2"), U("Мира 10а"), U("Мира 1")},
       {U("Мира 1"), U("Мира 2"), U("Мира 10"), U("Мира 10а")}, [&] { return f.StatusPanel[2]->text(); },
       U("10а"), {300, 100}},
      {"firm search by address",
       [&] {
         f.MenuItem("N16")->trigger();
         f.FirmSearch->KeyField->setText(U("мира"));
         QTest::keyClick(f.FirmSearch->KeyField, Qt::Key_Return);
         return f.FirmSearch->SearchFirmListView;
       },
       1, {U("Мира 10"), U("Мира 2"), U("Мира 1"), U("Мира 10а")},
       {U("Мира 1"), U("Мира 2"), U("Мира 10"), U("Мира 10а")}, [&] { return f.InfoPanel->ObjNameLabel->text(); },
       U("Кафе"), {300, 500}},
      {"routes by name",
       [&] {
         f.MenuItem("N17")->trigger();
         return f.PanelPath->ListOfPath2;
       },
       1, {U("№ 10"), U("№ 2"), U("№ 1")}, {U("№ 1"), U("№ 2"), U("№ 10")},
       [&] { return f.StatusPanel[1]->text(); }, U("Автобус № 10"), {100, 900}},
  };
  for (const Case& c : cases) {
    QTableView* list = c.Open();
    ASSERT_TRUE(list->isVisible()) << c.What;
    EXPECT_EQ(ColumnTexts(list, c.Column), c.Given) << c.What << ": the given order until a header is clicked";
    ClickHeader(list, c.Column);
    EXPECT_EQ(ColumnTexts(list, c.Column), c.Ascending) << c.What;
    ClickHeader(list, c.Column);
    EXPECT_EQ(ColumnTexts(list, c.Column), Reversed(c.Ascending)) << c.What << ": the second click reverses";

    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(list, 0));
    EXPECT_EQ(c.Chosen(), c.Last) << c.What;
    const QPoint offset(view.OffsetX, view.OffsetY);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(list, 0));
    const QPoint shown = WindowPixelOf(view, c.LastPlace.x(), c.LastPlace.y());
    EXPECT_LE((shown - VisibleMapCentre(f.VisibleMapRect())).manhattanLength(), 2) << c.What;
    EXPECT_NE(QPoint(view.OffsetX, view.OffsetY), offset) << c.What << ": the double click brings it to the middle";
    ClickHeader(list, c.Column);
    EXPECT_EQ(SelectedRow(list), c.Ascending.size() - 1) << c.What << ": the selection moves with its record";
  }

  // The hidden lists keep the order the searches made; a new search is shown
  // in the order the user chose.
  EXPECT_EQ(cp1251::ToUtf8(f.Core().Search.FoundRecords[0].Cell(kCaption)), "Мира 10");
  EXPECT_EQ(f.Core().Search.FoundFirms[0].Cell(kCaption), "0");
  f.MenuItem("N15")->trigger();
  f.PanelSearch->KeyField->setText(U("мира 1"));
  QTest::keyClick(f.PanelSearch->KeyField, Qt::Key_Return);
  EXPECT_EQ(ColumnTexts(f.PanelSearch->SearchListView, 0), (QStringList{U("Мира 1"), U("Мира 10"), U("Мира 10а")}));
}
