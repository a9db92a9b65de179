// The map window: its menu, tool bar, panels and status bar, the panel pairs,
// and the controls brought into line with the state by every load.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <gtest/gtest.h>

#include "info/Selection.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"
#include "view/SelectionOverlay.h"

namespace {

// The captions of a menu's entries, separators as "-", submenus as "caption>".
QStringList Entries(const QMenu* menu) {
  QStringList out;
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator())
      out << "-";
    else
      out << a->text() + (a->menu() ? ">" : "");
  }
  return out;
}

QMenu* TopMenu(MapWindow& f, int i) { return f.menuBar()->actions().at(i)->menu(); }

QToolButton* Button(QWidget* w, const char* name) {
  auto* b = w->findChild<QToolButton*>(name);
  EXPECT_NE(b, nullptr) << name;
  return b;
}

}  // namespace

TEST(MapWindow, MenuStructureAndInitialTicks) {
  TempDir root;
  MapWindow f(root.Path());
  EXPECT_EQ(f.objectName(), "TForm2");
  EXPECT_EQ(f.windowTitle(), "Form2");
  EXPECT_TRUE(f.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(f.menuBar()->objectName(), "MainMenu1");
  ASSERT_EQ(f.menuBar()->actions().size(), 4);

  QMenu* file = TopMenu(f, 0);
  EXPECT_EQ(file->title(), U("Файл"));
  // The added commands stand between the first items, which keep their order.
  EXPECT_EQ(Entries(file), (QStringList{U("Главное меню"), U("Добавить город из OpenStreetMap…"), "-",
                                        U("Сохранить изображение…"), U("Печать…"), U("Сохранить в PDF…"), "-", U("Выход")}));
  QMenu* map = TopMenu(f, 1);
  EXPECT_EQ(map->title(), U("Карта"));
  EXPECT_EQ(Entries(map), (QStringList{U("Объекты>"), U("Фирмы>"), U("Текст"), U("Все значки"),
                                       U("Масштабная линейка"), "-", U("Маршруты>"), "-",
                                       U("Поиск по списку"), U("Поиск по фирмам"), "-", U("Весь город"), "-",
                                       U("Как добраться")}));
  EXPECT_EQ(Entries(map->actions().at(0)->menu()),
            (QStringList{U("Отобразить"), U("Выделение щелчком"), U("Зумировать при выделении")}));
  EXPECT_EQ(Entries(map->actions().at(1)->menu()), QStringList{U("Показывать информацию")});
  QMenu* routes = map->actions().at(6)->menu();
  EXPECT_EQ(routes->objectName(), "N13");
  EXPECT_EQ(Entries(routes), (QStringList{U("Показать панель"), U("Рисовать все маршруты")}));
  QMenu* bookmarks = TopMenu(f, 2);
  EXPECT_EQ(bookmarks->title(), U("Закладки"));
  EXPECT_EQ(Entries(bookmarks), (QStringList{U("Добавить закладку…"), "-", U("Нет закладок"), "-",
                                             U("Переименовать>"), U("Удалить>")}));
  QMenu* help = TopMenu(f, 3);
  EXPECT_EQ(help->title(), U("Помощь"));
  EXPECT_EQ(Entries(help), (QStringList{U("Помощь"), "-", U("О программе...")}));

  const std::pair<const char*, const char*> named[] = {
      {"N19", "Главное меню"}, {"N2", "Выход"}, {"N6", "Отобразить"}, {"N5", "Выделение щелчком"},
      {"N8", "Зумировать при выделении"}, {"N10", "Показывать информацию"}, {"N7", "Текст"},
      {"N17", "Показать панель"}, {"N18", "Рисовать все маршруты"}, {"N15", "Поиск по списку"},
      {"N16", "Поиск по фирмам"}, {"N22", "Помощь"}, {"N21", "О программе..."},
      {"SaveImageItem", "Сохранить изображение…"}, {"PrintItem", "Печать…"}, {"SavePdfItem", "Сохранить в PDF…"}, {"WholeCityItem", "Весь город"},
      {"AllIconsItem", "Все значки"}, {"ScaleBarItem", "Масштабная линейка"},
      {"AddBookmarkItem", "Добавить закладку…"}, {"RouteToSelectionItem", "Как добраться"}};
  for (const auto& [name, caption] : named) {
    ASSERT_NE(f.MenuItem(name), nullptr) << name;
    EXPECT_EQ(f.MenuItem(name)->text(), U(caption)) << name;
  }
  for (const char* ticked : {"N8", "N10", "N7", "N6", "N5", "N15", "ScaleBarItem"})
    EXPECT_TRUE(f.MenuItem(ticked)->isChecked()) << ticked;
  for (const char* unticked : {"N16", "N17", "N18", "AllIconsItem"}) EXPECT_FALSE(f.MenuItem(unticked)->isChecked()) << unticked;
}

TEST(MapWindow, ToolBarControlsAndHints) {
  TempDir root;
  MapWindow f(root.Path());
  const std::pair<const char*, const char*> hints[] = {
      {"SpeedButton12", "Отображать текст на карте"}, {"SpeedButton14", "Отображать объекты на карте"},
      {"SpeedButton1", "Отобразить панель поиска по списку"}, {"SpeedButton2", "Отобразить панель поиска по фирмам"},
      {"SpeedButton9", "Выпольнить поиск..."}, {"SpeedButton10", "Добавить слово в список."}};
  for (const auto& [name, hint] : hints) EXPECT_EQ(Button(&f, name)->toolTip(), U(hint)) << name;
  EXPECT_EQ(f.ObjectComboBox->toolTip(), U("Список объектов для отображения"));
  EXPECT_EQ(f.ObjectComboBox->maxVisibleItems(), 18);
  EXPECT_EQ(f.KeywordBox->toolTip(), U("Выбирите ключевое слово из списка для поиска фирм"));
  EXPECT_TRUE(f.KeywordBox->isEditable());
  EXPECT_EQ(f.KeywordBox->maxVisibleItems(), 30);
  EXPECT_EQ(f.ZoomCaption->text(), U("Масштаб:"));
  EXPECT_EQ(f.ZoomSlider->toolTip(), U("Масштаб"));
  EXPECT_EQ(f.ZoomSlider->minimum(), 1);
  EXPECT_EQ(f.ZoomSlider->maximum(), 30);
  EXPECT_EQ(f.ZoomSlider->value(), 1);
  EXPECT_EQ(f.ZoomEdit->toolTip(), U("Задайте величину масштаба"));
  EXPECT_EQ(f.ZoomEdit->maxLength(), 7);  // "1000,5%"
  for (const char* panel : {"ControlBar1", "Panel3", "Panel11", "Panel4", "Panel5", "Panel14"})
    EXPECT_NE(f.findChild<QWidget*>(panel), nullptr) << panel;
  EXPECT_EQ(f.ListPanelOpener->size(), QSize(16, 16));
  EXPECT_TRUE(f.LabelsButton->isChecked());
  EXPECT_TRUE(f.ObjectsButton->isChecked());
  EXPECT_TRUE(f.ListPanelButton->isChecked());
  EXPECT_FALSE(f.FirmPanelButton->isChecked());
}

TEST(MapWindow, ListPanelOpenerSitsUnderTheToolBar) {
  TempDir root;
  MapWindow f(root.Path());
  f.show();
  EXPECT_EQ(f.ListPanelOpener->pos(), QPoint(0, f.ToolBar->height()));
}

TEST(MapWindow, SidePanelsAndTheirControls) {
  TempDir root;
  MapWindow f(root.Path());
  f.show();
  EXPECT_TRUE(f.PanelSearch->isVisible());
  EXPECT_EQ(f.PanelSearch->width(), 210);
  EXPECT_FALSE(f.PanelPath->isVisible());
  EXPECT_FALSE(f.InfoPanel->isVisible());
  EXPECT_FALSE(f.FirmSearch->isVisible());
  EXPECT_EQ(f.FirmSearch->objectName(), "FirmSearchPanel");

  ListSearchPanel& s = *f.PanelSearch;
  EXPECT_EQ(s.CloseButton->toolTip(), U("Спрятать панель списка"));
  EXPECT_EQ(s.KeyField->toolTip(), U("Введите ключевое слово для поиска"));
  EXPECT_EQ(s.SearchButton->toolTip(), U("Выпольнить поиск..."));
  EXPECT_EQ(s.SearchListView->toolTip(), U("Список улиц, домов, объектов..."));
  EXPECT_EQ(ColumnCaption(s.SearchListView, 0), U("Адрес"));
  EXPECT_EQ(s.SearchListView->columnWidth(0), 120);
  EXPECT_EQ(ColumnCaption(s.SearchListView, 1), U("Тип объекта"));
  EXPECT_EQ(ColumnCaption(s.SearchListView, 2), U("Название"));
  EXPECT_EQ(s.SearchListView->columnWidth(2), 250);
  EXPECT_EQ(s.CountCaption->text(), U("Количество найденых объектов:"));

  FirmSearchPanel& fs = *f.FirmSearch;
  EXPECT_EQ(fs.width(), 220);
  EXPECT_EQ(fs.CloseButton->toolTip(), U("Закрыть панель списка фирм"));
  EXPECT_EQ(fs.KeyField->toolTip(), U("Введите ключевое слово для поиска объекта"));
  EXPECT_EQ(fs.SearchByCaption->text(), U("Производить поиск по:"));
  EXPECT_EQ(fs.ByNameBox->text(), U("Названию"));
  EXPECT_EQ(fs.ByAddressBox->text(), U("Адресу"));
  EXPECT_EQ(fs.ByKeywordBox->text(), U("Ключевым словам"));
  for (QCheckBox* b : {fs.ByNameBox, fs.ByAddressBox, fs.ByKeywordBox}) {
    EXPECT_TRUE(b->isChecked());
    EXPECT_TRUE(b->font().underline());
  }
  EXPECT_EQ(fs.ShowFoundBox->text(), U("Отображать найденые объекты"));
  EXPECT_FALSE(fs.ShowFoundBox->isChecked());
  EXPECT_EQ(fs.SearchFirmListView->toolTip(), U("Список фирм, достопримечательностей и других ключевых объектов"));
  EXPECT_EQ(fs.SearchFirmListView->columnWidth(0), 125);
  EXPECT_EQ(fs.SearchFirmListView->columnWidth(1), 85);
  EXPECT_EQ(fs.CountCaption->text(), U("Количество найденых объектов:"));

  InfoPanelWidget& info = *f.InfoPanel;
  EXPECT_EQ(info.CloseButton->toolTip(), U("Закрыть панель информаци"));
  EXPECT_EQ(info.FirmPic[0]->text(), "+");
  EXPECT_EQ(info.FirmPic[2]->toolTip(), U("Картинка объекта №3"));
  EXPECT_EQ(info.FirmText->toolTip(), U("Информация об объекте"));

  RoutesPanel& r = *f.PanelPath;
  EXPECT_EQ(r.CloseButton->toolTip(), U("Закрыть панель маршрутов"));
  EXPECT_EQ(ColumnCaption(r.ListOfPath2, 0), U("Тип маршрута"));
  EXPECT_EQ(ColumnCaption(r.ListOfPath2, 1), U("Название маршрута"));
  EXPECT_EQ(ColumnCaption(r.ListOfPath2, 2), U("Комментарии"));
}

TEST(MapWindow, RoutesAndListSearchPanelsExcludeEachOther) {
  TempDir root;
  MapWindow f(root.Path());
  f.show();
  f.MenuItem("N17")->trigger();  // "Показать панель"
  EXPECT_TRUE(f.PanelPath->isVisible());
  EXPECT_FALSE(f.PanelSearch->isVisible());
  EXPECT_FALSE(f.MenuItem("N15")->isChecked());
  EXPECT_FALSE(f.ListPanelButton->isChecked());
  EXPECT_TRUE(f.MenuItem("N17")->isChecked());

  f.OpenListPanelButton->click();  // the small button under the tool bar
  EXPECT_TRUE(f.PanelSearch->isVisible());
  EXPECT_FALSE(f.PanelPath->isVisible());
  EXPECT_TRUE(f.MenuItem("N15")->isChecked());
  EXPECT_TRUE(f.ListPanelButton->isChecked());
  EXPECT_FALSE(f.MenuItem("N17")->isChecked());

  f.PanelSearch->CloseButton->click();
  EXPECT_FALSE(f.PanelSearch->isVisible());
  EXPECT_FALSE(f.PanelLeft->isVisible());
  EXPECT_FALSE(f.ListPanelButton->isChecked());
  EXPECT_FALSE(f.MenuItem("N15")->isChecked());
  f.ListPanelButton->click();
  EXPECT_TRUE(f.PanelSearch->isVisible());
  EXPECT_TRUE(f.MenuItem("N15")->isChecked());
  f.MenuItem("N15")->trigger();
  EXPECT_FALSE(f.PanelSearch->isVisible());
  EXPECT_FALSE(f.ListPanelButton->isChecked());

  f.MenuItem("N17")->trigger();
  f.PanelPath->CloseButton->click();
  EXPECT_FALSE(f.PanelPath->isVisible());
  EXPECT_FALSE(f.MenuItem("N17")->isChecked());
}

TEST(MapWindow, FirmSearchPanelButtonAndMenuInStep) {
  TempDir root;
  MapWindow f(root.Path());
  f.show();
  f.FirmPanelButton->click();
  EXPECT_TRUE(f.FirmSearch->isVisible());
  EXPECT_TRUE(f.MenuItem("N16")->isChecked());
  f.FirmSearch->CloseButton->click();
  EXPECT_FALSE(f.FirmSearch->isVisible());
  EXPECT_FALSE(f.FirmPanelButton->isChecked());
  EXPECT_FALSE(f.MenuItem("N16")->isChecked());
  f.MenuItem("N16")->trigger();
  EXPECT_TRUE(f.FirmSearch->isVisible());
  EXPECT_TRUE(f.FirmPanelButton->isChecked());
  f.FirmPanelButton->click();
  EXPECT_FALSE(f.FirmSearch->isVisible());
  EXPECT_FALSE(f.PanelRight->isVisible());
}

TEST(MapWindow, TextAndObjectSwitchesMirrorEachOther) {
  TempDir root;
  MapWindow f(root.Path());
  f.LabelsButton->click();
  EXPECT_FALSE(f.Core().Flags.Shown(DrawCode::Label));
  EXPECT_FALSE(f.MenuItem("N7")->isChecked());
  f.MenuItem("N7")->trigger();
  EXPECT_TRUE(f.Core().Flags.Shown(DrawCode::Label));
  EXPECT_TRUE(f.LabelsButton->isChecked());
  f.MenuItem("N6")->trigger();
  EXPECT_FALSE(f.Core().Flags.Shown(DrawCode::Object));
  EXPECT_FALSE(f.ObjectsButton->isChecked());
  f.ObjectsButton->click();
  EXPECT_TRUE(f.Core().Flags.Shown(DrawCode::Object));
  EXPECT_TRUE(f.MenuItem("N6")->isChecked());
  f.MenuItem("N5")->trigger();
  EXPECT_FALSE(f.Core().Interaction.ClickSelect);
  f.MenuItem("N18")->trigger();
  EXPECT_TRUE(f.Core().Flags.Shown(DrawCode::Route));
  f.MenuItem("AllIconsItem")->trigger();
  EXPECT_TRUE(f.Core().Flags.AllIcons);
  f.MenuItem("AllIconsItem")->trigger();
  EXPECT_FALSE(f.Core().Flags.AllIcons);
  f.MenuItem("N8")->trigger();
  EXPECT_FALSE(f.Core().Ui.ZoomOnSelect);
  f.MenuItem("N10")->trigger();
  EXPECT_FALSE(f.Core().Ui.ShowFirmInfo);
  f.FirmSearch->ShowFoundBox->click();
  EXPECT_TRUE(f.Core().Flags.Shown(DrawCode::Firm));
  f.FirmSearch->ByAddressBox->click();
  EXPECT_FALSE(f.Core().Search.SearchFirmAddresses);
}

TEST(MapWindow, StatusBarPanelsStartAtTheirDesignWidths) {
  TempDir root;
  MapWindow f(root.Path());
  EXPECT_EQ(f.statusBar()->objectName(), "StatusBar1");
  EXPECT_EQ(f.StatusPanel[0]->width(), 150);
  EXPECT_EQ(f.StatusPanel[1]->width(), 350);
  EXPECT_EQ(f.StatusPanel[2]->width(), 50);
}

TEST(MapWindow, StatusPanelsAreEightPixelsPerCharacterOfTheirTexts) {
  TempDir root;
  MapWindow f(root.Path());
  f.Core().Selection.StatusText1 = cp1251::FromUtf8("улица Ленина");  // 12 characters
  UpdateSelectionOverlay(f.Core());
  f.SyncFromCore();
  EXPECT_EQ(f.StatusPanel[0]->width(), 0);
  EXPECT_EQ(f.StatusPanel[2]->width(), 0);
  EXPECT_EQ(f.StatusPanel[1]->text(), U("улица Ленина"));
  EXPECT_EQ(f.StatusPanel[1]->width(), 96);
}

// The width a label alike needs for the panel's text when nothing holds it.
int NeededWidth(const QLabel* panel) {
  QLabel free(panel->text());
  free.setFont(panel->font());
  free.setFrameShape(panel->frameShape());
  free.setFrameShadow(panel->frameShadow());
  return free.sizeHint().width();
}

// Each panel is at least as wide as its text needs in the panel's font, and
// keeps its 8 pixels a character where that is wider.
TEST(MapWindow, StatusPanelsAreWideEnoughForTheirTexts) {
  TempDir root;
  MapWindow f(root.Path());
  for (const char* text : {"Кафе", "5", "48", "Школа №1", "улица Ленина"}) {
    SelectionState& s = f.Core().Selection;
    s.StatusText0 = s.StatusText1 = s.StatusText2 = cp1251::FromUtf8(text);
    UpdateSelectionOverlay(f.Core());
    f.SyncFromCore();
    for (const QLabel* panel : f.StatusPanel) {
      ASSERT_EQ(panel->text(), U(text));
      EXPECT_GE(panel->contentsRect().width(), QFontMetrics(panel->font()).horizontalAdvance(panel->text())) << text;
      EXPECT_GE(panel->width(), NeededWidth(panel)) << text;
      EXPECT_GE(panel->width(), 8 * static_cast<int>(s.StatusText0.size())) << text;
    }
  }
}

TEST(MapWindow, LayerFlagsOutliveALoad) {
  TempDir root;
  WriteAbout(root.Path(), "Alpha", {"Альфа"});
  ShellWindows w(root.Path());
  w.cityChooser->OnLoadClicked();
  MapWindow& f = *w.mapWindow;
  EXPECT_TRUE(f.MenuItem("N7")->isChecked());
  f.MenuItem("N7")->trigger();  // text labels off
  f.MenuItem("N19")->trigger();
  w.cityChooser->OnLoadClicked();
  EXPECT_TRUE(f.isVisible());
  EXPECT_FALSE(f.Core().Flags.Shown(DrawCode::Label));
  EXPECT_FALSE(f.MenuItem("N7")->isChecked());
  EXPECT_FALSE(f.LabelsButton->isChecked());
  EXPECT_TRUE(f.ObjectsButton->isChecked());
}

TEST(MapWindow, LoadHidesTheFirmSearchPanelAndResetsTheZoomText) {
  TempDir root;
  WriteAbout(root.Path(), "Alpha", {"Альфа"});
  ShellWindows w(root.Path());
  MapWindow& f = *w.mapWindow;
  f.FirmPanelButton->click();
  w.cityChooser->OnLoadClicked();
  EXPECT_FALSE(f.FirmSearch->isVisible());
  EXPECT_FALSE(f.FirmPanelButton->isChecked());
  EXPECT_FALSE(f.MenuItem("N16")->isChecked());
  EXPECT_EQ(f.ZoomEdit->text(), "100%");
  EXPECT_EQ(f.ZoomSlider->value(), 2);
}

TEST(MapWindow, AuxiliaryWindowsOpenThroughTheirHooks) {
  TempDir root;
  MapWindow f(root.Path());
  int about = 0, help = 0;
  f.ShowAboutWindow = [&] { ++about; };
  f.ShowHelpWindow = [&] { ++help; };
  f.MenuItem("N21")->trigger();
  f.MenuItem("N22")->trigger();
  EXPECT_EQ(about, 1);
  EXPECT_EQ(help, 1);
}

// Both search footers show the whole caption and the count inside the panel
// at its default width: the caption wraps instead of running under the count,
// and only where the room beside the count ends, so that it takes two lines at
// most.
TEST(MapWindow, SearchFootersShowTheirWholeTexts) {
  TempDir root;
  MapWindow f(root.Path());
  f.resize(1200, 800);
  f.show();
  f.FirmPanelButton->click();  // the firm search panel
  for (const std::string shown : {"740", "22200"}) {
    f.Core().Search.ListCountText = f.Core().Search.FirmCountText = shown;
    f.SyncFromCore();
    QApplication::processEvents();
    for (const auto& [caption, count] : {std::pair{f.PanelSearch->CountCaption, f.PanelSearch->CountLabel},
                                         std::pair{f.FirmSearch->CountCaption, f.FirmSearch->CountLabel}}) {
      SCOPED_TRACE(caption->parentWidget()->parentWidget()->objectName().toStdString() + " " + shown);
      ASSERT_EQ(caption->text(), U("Количество найденых объектов:"));
      ASSERT_EQ(count->text(), QString::fromStdString(shown));
      const QFontMetrics metrics(caption->font());
      const QRect box = caption->contentsRect();
      const QRect needed = metrics.boundingRect(box, caption->wordWrap() ? Qt::TextWordWrap : 0, caption->text());
      EXPECT_LE(needed.width(), box.width());
      EXPECT_LE(needed.height(), box.height());
      EXPECT_LE(needed.height(), 2 * metrics.lineSpacing());
      const int countNeeds = QFontMetrics(count->font()).horizontalAdvance(count->text());
      EXPECT_GE(count->contentsRect().width(), countNeeds);
      EXPECT_LE(count->geometry().right(), count->parentWidget()->contentsRect().right());
      const int room = count->parentWidget()->contentsRect().width() - countNeeds;
      EXPECT_GE(caption->width(), std::min(room - 8, metrics.horizontalAdvance(caption->text())));
    }
  }
}
