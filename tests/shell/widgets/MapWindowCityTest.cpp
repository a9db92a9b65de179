// The map window over a loaded city: the lists show the city's records, a
// click on a result selects it with the status bar and the panels following,
// the next load starts the object chooser and the firm results afresh, and
// data is shown as plain text.
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QToolButton>
#include <QTest>
#include <gtest/gtest.h>

#include "shell/widgets/MapArea.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"
#include "support/CityBuilder.h"
#include "support/PictureFiles.h"

namespace {

void ClickRow(QTableView* list, int row) {
  list->selectRow(row);
  const QRect cell = list->visualRect(list->model()->index(row, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

}  // namespace

TEST(MapWindowCity, ListsShowTheLoadedCity) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "100 100 200 100", 2, "3", "улица"),
                                  StreetRecord("Мира", "100 300 300 300", 2, "3", "проспект")});
  city.Plain("Data/Path.txt", {{W("Автобус"), W("№ 5"), W("до вокзала"), "2", "100 100 300 300"}});
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  ASSERT_TRUE(w.messages.empty()) << w.messages.front();
  MapWindow& f = *w.mapWindow;
  QTableView* results = f.PanelSearch->SearchListView;
  ASSERT_EQ(Rows(results), 2);
  EXPECT_EQ(CellText(results, 0, 0), U("Ленина"));
  EXPECT_EQ(CellText(results, 0, 1), U("улица"));
  EXPECT_EQ(CellText(results, 1, 0), U("Мира"));
  EXPECT_EQ(f.PanelSearch->CountLabel->text(), "2");
  QTableView* routes = f.PanelPath->ListOfPath2;
  ASSERT_EQ(Rows(routes), 1);
  EXPECT_EQ(CellText(routes, 0, 0), U("Автобус"));
  EXPECT_EQ(CellText(routes, 0, 1), U("№ 5"));
  EXPECT_EQ(CellText(routes, 0, 2), U("до вокзала"));

  f.PanelSearch->KeyField->setText(U("мир"));
  QTest::keyClick(f.PanelSearch->KeyField, Qt::Key_Return);
  ASSERT_EQ(Rows(results), 1);
  EXPECT_EQ(CellText(results, 0, 0), U("Мира"));
  EXPECT_EQ(f.PanelSearch->CountLabel->text(), "1");
}

TEST(MapWindowCity, ClickingAResultSelectsItIntoTheStatusBar) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "100 100 200 100", 2, "3", "улица")});
  city.Plain("Data/Path.txt", {{W("Трамвай"), W("1"), W(" "), "2", "100 100 300 300"}});
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  MapWindow& f = *w.mapWindow;
  ClickRow(f.PanelSearch->SearchListView, 0);
  EXPECT_TRUE(f.Core().Selection.StreetSelected);
  EXPECT_EQ(f.StatusPanel[1]->text(), U("улица Ленина"));

  f.MenuItem("N17")->trigger();
  ClickRow(f.PanelPath->ListOfPath2, 0);
  EXPECT_TRUE(f.Core().Selection.RouteSelected);
  EXPECT_EQ(f.StatusPanel[1]->text(), U("Трамвай 1"));
}

// Cities of several data roots: the list merges them, an earlier root hiding a
// later city of the same name, and each loads from its own folder.
TEST(MapWindowCity, EachListedCityLoadsFromItsOwnDataRoot) {
  CityBuilder user("Alpha");
  user.About("Альфа пользователя");
  user.Plain("Data/Streets.txt", {StreetRecord("Ленина", "100 100 200 100", 2)});
  CityBuilder system("Alpha");
  system.About("Альфа системы");
  WriteBytes(system.DataRoot() / "Beta" / "Info" / "about.inf", W("Бета\r\n"));
  WriteBytes(system.DataRoot() / "Beta" / "Data" / "Streets.txt",
             PlainLayerBytes({StreetRecord("Мира", "100 300 300 300", 2)}));
  ShellWindows w(std::vector<fs::path>{user.DataRoot(), system.DataRoot()});
  CityChooserWindow& f = *w.cityChooser;
  ASSERT_EQ(f.ListView->count(), 2);
  EXPECT_EQ(f.ListView->item(0)->text(), "Alpha");
  EXPECT_EQ(f.ListView->item(1)->text(), "Beta");
  EXPECT_EQ(f.CityNameLabel->text(), U("Альфа пользователя"));

  const auto loadAndListStreet = [&](int entry) {
    f.ListView->item(entry)->setSelected(true);
    f.OnLoadClicked();
    QTableView* results = w.mapWindow->PanelSearch->SearchListView;
    const QString street = Rows(results) == 1 ? CellText(results, 0, 0) : QString();
    w.mapWindow->MenuItem("N19")->trigger();
    return street;
  };
  EXPECT_EQ(loadAndListStreet(1), U("Мира"));
  EXPECT_EQ(w.mapWindow->Core().DataRoot, system.DataRoot());
  EXPECT_EQ(loadAndListStreet(0), U("Ленина"));
  EXPECT_EQ(w.mapWindow->Core().DataRoot, user.DataRoot());
  EXPECT_EQ(w.mapWindow->windowTitle(), U("Альфа пользователя"));
  EXPECT_TRUE(w.messages.empty()) << w.messages.front();
}

namespace {

// The window pixel of map point (x, y) in the map area.
QPoint MapPixel(const MapWindow& f, int x, int y) {
  const ViewState& v = const_cast<MapWindow&>(f).Core().View;
  return {static_cast<int>(x * v.Scale) - v.OffsetX - v.ScreenWidth / 2,
          static_cast<int>(y * v.Scale) - v.OffsetY - v.ScreenHeight / 2};
}

}  // namespace

// After a load the kind chooser reads "Все" and every kind is drawn again,
// whatever kind was chosen in the city shown before.
TEST(MapWindowCity, ALoadShowsEveryObjectKindAgain) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Raw("Icons/0.ico", IcoBytes(SolidImage(20, 20, Qt::red)));
  city.Raw("Icons/1.ico", IcoBytes(SolidImage(20, 20, Qt::blue)));
  city.Raw("Icons/2.ico", IcoBytes(SolidImage(20, 20, Qt::green)));
  city.Plain("Data/Objects.txt", {{W("Школы"), W("Мира"), "2", W("Гимназия"), "450 600", "0"},
                                  {W("Аптеки"), W("Мира"), "4", W("Здоровье"), "550 600", "1"}});
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  MapWindow& f = *w.mapWindow;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));  // laid out at its full size
  auto pharmacyShown = [&] {
    return f.MapView()->grab().toImage().pixelColor(MapPixel(f, 550, 600)) == QColor(Qt::blue);
  };
  ASSERT_EQ(f.ObjectComboBox->currentText(), U("Все"));
  ASSERT_TRUE(pharmacyShown());
  f.ObjectComboBox->setCurrentIndex(0);
  emit f.ObjectComboBox->activated(0);  // "Школы"
  ASSERT_FALSE(pharmacyShown());
  f.MenuItem("N19")->trigger();
  w.cityChooser->OnLoadClicked();
  EXPECT_EQ(f.ObjectComboBox->currentText(), U("Все"));
  EXPECT_EQ(f.Core().Flags.ObjectFilter, -1);
  EXPECT_TRUE(pharmacyShown());
}

// A load empties the firm search results, and their count shows 0.
TEST(MapWindowCity, ALoadEmptiesTheFirmResultsAndTheirCount) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Raw("Firms/a.txt", PlainFirmBytes({W("Аптека"), W("Мира"), "3", "80 80", W("лекарства")}));
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  MapWindow& f = *w.mapWindow;
  f.FirmSearch->KeyField->setText(U("апт"));
  QTest::keyClick(f.FirmSearch->KeyField, Qt::Key_Return);
  ASSERT_EQ(Rows(f.FirmSearch->SearchFirmListView), 1);
  ASSERT_EQ(f.FirmSearch->CountLabel->text(), "1");
  f.MenuItem("N19")->trigger();
  w.cityChooser->OnLoadClicked();
  EXPECT_EQ(Rows(f.FirmSearch->SearchFirmListView), 0);
  EXPECT_EQ(f.FirmSearch->CountLabel->text(), "0");
}

// The search fields show what their lists hold: a firm search from the keyword
// list writes its word into the firm field, and a load, which lists every
// street again and empties the firm results, empties both fields.
TEST(MapWindowCity, SearchFieldsShowWhatTheirListsHold) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "100 100 200 100", 2, "3", "улица"),
                                  StreetRecord("Мира", "100 300 300 300", 2, "3", "проспект")});
  city.Raw("Firms/a.txt", PlainFirmBytes({W("Аптека"), W("Мира"), "3", "80 80", W("лекарства")}));
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  MapWindow& f = *w.mapWindow;
  f.FirmSearch->KeyField->setText(U("банк"));
  QTest::keyClick(f.FirmSearch->KeyField, Qt::Key_Return);
  f.KeywordBox->setEditText(U("аптека"));
  f.KeywordSearchButton->click();
  EXPECT_EQ(f.FirmSearch->KeyField->text(), U("аптека"));
  EXPECT_EQ(Rows(f.FirmSearch->SearchFirmListView), 1);
  f.PanelSearch->KeyField->setText(U("мир"));
  QTest::keyClick(f.PanelSearch->KeyField, Qt::Key_Return);
  ASSERT_EQ(Rows(f.PanelSearch->SearchListView), 1);
  f.MenuItem("N19")->trigger();
  w.cityChooser->OnLoadClicked();
  EXPECT_EQ(Rows(f.PanelSearch->SearchListView), 3);  // both streets and the firm
  EXPECT_EQ(f.PanelSearch->KeyField->text(), "");
  EXPECT_EQ(f.FirmSearch->KeyField->text(), "");
}

// A search that finds nothing shows the names nearly typed under a heading that
// says so; the next search that finds something hides it.  A letter the code
// page lacks is read as imported names have it.  The keyword list completes
// with ё read as е, both ways, showing the words as written.
TEST(MapWindowCity, SuggestionsAreHeadedAndKeywordsCompleteWithYoAsYe) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Plain("Data/Streets.txt", {StreetRecord("Селезнёва", "100 100 200 100", 2, "3", "улица"),
                                  StreetRecord("Furstenweg", "100 200 200 200", 2, "3", "улица"),
                                  StreetRecord("Forsterweg", "100 300 200 300", 2, "3", "улица")});
  city.Raw("Firms/a.txt", PlainFirmBytes({W("Аптека"), W("Мира"), "3", "80 80", W("лекарства")}));
  city.Raw("Kw.map", W("ёлки\r\nаптека\r\nелочные игрушки\r\n"));
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  MapWindow& f = *w.mapWindow;
  f.MenuItem("N16")->trigger();  // the firm search panel
  QLabel* listHeading = f.PanelSearch->findChild<QLabel*>("ListSimilarHeading");
  QLabel* firmHeading = f.FirmSearch->findChild<QLabel*>("FirmSimilarHeading");
  ASSERT_TRUE(listHeading && firmHeading);
  struct Step {
    QLineEdit* Field;
    const char* Key;
    QLabel* Heading;
    bool Headed;
    QTableView* List;
    int Rows;
    QLabel* Count;
  };
  for (const Step& s : std::vector<Step>{
           {f.PanelSearch->KeyField, "Селезнва", listHeading, true, f.PanelSearch->SearchListView, 1, f.PanelSearch->CountLabel},
           {f.PanelSearch->KeyField, "ул селезнева", listHeading, false, f.PanelSearch->SearchListView, 1, f.PanelSearch->CountLabel},
           // Read as the import writes the name: "Furst", not "F" and "rst".
           {f.PanelSearch->KeyField, "Fürst", listHeading, false, f.PanelSearch->SearchListView, 1, f.PanelSearch->CountLabel},
           {f.FirmSearch->KeyField, "Аптке", firmHeading, true, f.FirmSearch->SearchFirmListView, 1, f.FirmSearch->CountLabel},
           {f.FirmSearch->KeyField, "аптека", firmHeading, false, f.FirmSearch->SearchFirmListView, 1, f.FirmSearch->CountLabel},
       }) {
    s.Field->setText(U(s.Key));
    QTest::keyClick(s.Field, Qt::Key_Return);
    EXPECT_EQ(!s.Heading->isHidden(), s.Headed) << s.Key;
    EXPECT_EQ(s.Heading->text(), U("Точных совпадений нет. Похожие:"));
    EXPECT_EQ(Rows(s.List), s.Rows) << s.Key;
    EXPECT_EQ(s.Count->text(), s.Headed ? "0" : "1") << s.Key;
  }
  QCompleter* completer = f.KeywordBox->completer();
  ASSERT_TRUE(completer);
  for (const auto& [typed, offered] : std::vector<std::pair<const char*, std::vector<std::string>>>{
           {"ел", {"ёлки", "елочные игрушки"}}, {"ЁЛО", {"елочные игрушки"}}, {"апт", {"аптека"}}, {"ж", {}}}) {
    completer->setCompletionPrefix(U(typed));
    std::vector<std::string> shown;
    for (int i = 0; i < completer->completionCount(); ++i) {
      completer->setCurrentRow(i);
      shown.push_back(completer->currentCompletion().toStdString());
    }
    EXPECT_EQ(shown, offered) << typed;
  }
}

// A pasted text in a search field is searched for by its first words, and a
// note under the field says so until a shorter key is searched for.
TEST(MapWindowCity, AKeyCutToItsFirstWordsIsNotedUnderItsField) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Plain("Data/Streets.txt", {StreetRecord("Мира", "100 100 200 100", 2, "3", "улица")});
  city.Raw("Firms/a.txt", PlainFirmBytes({W("Аптека"), W("Мира"), "3", "80 80", W("лекарства")}));
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  MapWindow& f = *w.mapWindow;
  f.MenuItem("N16")->trigger();  // the firm search panel
  QString pasted = U("мира");
  for (int i = 0; i < 300; ++i) pasted += U(" и ещё слово");
  for (auto [field, note] : {std::pair{f.PanelSearch->KeyField, f.PanelSearch->findChild<QLabel*>("ListKeyCutNote")},
                             std::pair{f.FirmSearch->KeyField, f.FirmSearch->findChild<QLabel*>("FirmKeyCutNote")}}) {
    ASSERT_TRUE(note);
    for (const auto& [key, cut] : {std::pair{pasted, true}, std::pair{U("мира"), false}}) {
      field->setText(key);
      QTest::keyClick(field, Qt::Key_Return);
      EXPECT_EQ(!note->isHidden(), cut) << note->objectName().toStdString();
    }
    EXPECT_EQ(note->text(), U("Ключ сокращён: ищутся первые 10 слов, не больше 200 знаков"));
    EXPECT_EQ(field->maxLength(), 1000);
  }
}

// Markup in the data (a city title, a building's and a firm's texts) is shown as
// it stands, never as formatting.
TEST(MapWindowCity, LabelsShowMarkupInTheDataAsText) {
  CityBuilder city("Town");
  city.About("<i>Городок</i>");
  city.Plain("Data/Buildings.txt", {{W("<u>Мира</u>"), "<b>5</b>", W("<b>Почта</b>"), "4", "10 10 20 10 20 20 10 20"}});
  city.Raw("Firms/a.txt", PlainFirmBytes({W("<b>Бар</b>"), W("<i>Мира</i>"), "<img src=x.png>", "80 80", W("пиво")}));
  ShellWindows w(city.DataRoot());
  EXPECT_EQ(w.cityChooser->CityNameLabel->text(), U("<i>Городок</i>"));
  EXPECT_EQ(w.cityChooser->CityNameLabel->textFormat(), Qt::PlainText);
  w.cityChooser->OnLoadClicked();
  MapWindow& f = *w.mapWindow;
  ASSERT_EQ(Rows(f.PanelSearch->SearchListView), 2);

  ClickRow(f.PanelSearch->SearchListView, 0);  // the building
  EXPECT_EQ(f.StatusPanel[0]->text(), U("<b>Почта</b>"));
  EXPECT_EQ(f.StatusPanel[1]->text(), U("<u>Мира</u>"));
  EXPECT_EQ(f.StatusPanel[2]->text(), U("<b>5</b>"));
  ClickRow(f.PanelSearch->SearchListView, 1);  // the firm
  EXPECT_EQ(f.StatusPanel[1]->text(), U("<b>Бар</b>"));
  EXPECT_EQ(f.InfoPanel->ObjNameLabel->text(), U("<b>Бар</b>"));
  EXPECT_EQ(f.InfoPanel->ObjAdressLabel->text(), U("<i>Мира</i> <img src=x.png>"));
  for (const QLabel* label : {f.StatusPanel[0], f.StatusPanel[1], f.StatusPanel[2], f.InfoPanel->ObjNameLabel,
                              f.InfoPanel->ObjAdressLabel, f.PanelSearch->CountLabel, f.FirmSearch->CountLabel})
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}
