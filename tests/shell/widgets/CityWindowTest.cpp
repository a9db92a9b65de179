// The city-selection window: its controls, the list of cities, the city shown,
// and the way to the map window and back.
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "mapdata/PictureLoader.h"
#include "shell/widgets/ShellWindowsFixture.h"

namespace {

template <typename T>
T* Child(QWidget* w, const char* name) {
  T* found = w->findChild<T*>(name);
  EXPECT_NE(found, nullptr) << name;
  return found;
}

QStringList ListedCities(const CityChooserWindow& f) {
  QStringList names;
  for (int i = 0; i < f.ListView->count(); ++i) names << f.ListView->item(i)->text();
  return names;
}

std::string JpegBytes(QColor color) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(color);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG");
  return bytes.toStdString();
}

}  // namespace

TEST(CityWindow, ControlsCaptionsAndHints) {
  TempDir root;
  CityChooserWindow f(root.Path());
  EXPECT_EQ(f.objectName(), "TForm1");
  EXPECT_EQ(f.windowTitle(), U("Главное меню"));
  EXPECT_EQ(f.size(), QSize(553, 416));
  EXPECT_EQ(f.minimumSize(), f.maximumSize());  // not resizable

  EXPECT_EQ(Child<QLabel>(&f, "Label1")->text(), U("Выберите город:"));
  EXPECT_EQ(Child<QListWidget>(&f, "ListView")->toolTip(), U("Выберите карту города"));
  QLabel* title = Child<QLabel>(&f, "Label2");
  EXPECT_EQ(title->text(), U("Имя города"));
  EXPECT_TRUE(title->font().bold());
  EXPECT_GT(QFontInfo(title->font()).pixelSize(), QFontInfo(f.CityListCaption->font()).pixelSize());
  auto* memo = Child<QPlainTextEdit>(&f, "MemoCityInfo");
  EXPECT_EQ(memo->toPlainText(), U("Информация о городе."));
  EXPECT_EQ(memo->toolTip(), U("Информация о городе"));
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_FALSE(Child<QLabel>(&f, "ImageCity")->isVisibleTo(&f));
  auto* load = Child<QToolButton>(&f, "Load");
  EXPECT_EQ(load->text(), U("Загрузить"));
  EXPECT_EQ(load->toolTip(), U("Загрузить карту"));
  EXPECT_FALSE(load->isEnabled());
  auto* exit = Child<QToolButton>(&f, "Exit");
  EXPECT_EQ(exit->text(), U("Закрыть"));
  EXPECT_EQ(exit->toolTip(), U("Закрыть программу"));

  QWidget* panel = Child<QWidget>(&f, "PanelStartImage");
  EXPECT_FALSE(panel->isVisibleTo(&f));
  EXPECT_NE(panel->findChild<QLabel*>("ImageStart"), nullptr);
  EXPECT_EQ(Child<QLabel>(panel, "Label3")->text(), U("Загружаются:"));
  EXPECT_EQ(Child<QLabel>(panel, "LoadLabel")->text(), "***");
  auto* steps = Child<QProgressBar>(panel, "ProgressBar2");
  EXPECT_EQ(steps->minimum(), 0);
  EXPECT_EQ(steps->maximum(), 12);
  auto* inner = Child<QProgressBar>(panel, "ProgressBar1");
  EXPECT_EQ(inner->maximum(), 10);
  for (QProgressBar* bar : {steps, inner}) EXPECT_EQ(bar->palette().color(QPalette::Base), QColor(255, 255, 255));
}

TEST(CityWindow, ListsOnlyFoldersHoldingAboutInf) {
  TempDir root;
  WriteAbout(root.Path(), "Beta", {"Бета"});
  WriteAbout(root.Path(), "Alpha", {"Альфа"});
  WriteBytes(root.Path() / "NoInfo" / "Data" / "Streets.txt", "");
  WriteBytes(root.Path() / "EmptyInfo" / "Info" / "Picture.jpg", "x");
  WriteBytes(root.Path() / "Plain.inf", "not a city");
  WriteBytes(root.Path() / "Gamma" / "INFO" / "About.inf", cp1251::FromUtf8("Гамма\r\n"));  // from Windows
  CityChooserWindow f(root.Path());
  EXPECT_EQ(ListedCities(f), (QStringList{"Alpha", "Beta", "Gamma"}));
}

TEST(CityWindow, NoDataRootLeavesListEmptyAndLoadDisabled) {
  TempDir root;
  CityChooserWindow f(root.Path() / "Base");
  EXPECT_EQ(f.ListView->count(), 0);
  EXPECT_FALSE(f.Load->isEnabled());
  EXPECT_EQ(f.CityNameLabel->text(), U("Имя города"));
}

TEST(CityWindow, FirstCityShownAtStartWithoutSelection) {
  TempDir root;
  WriteAbout(root.Path(), "Alpha", {"Город Альфа", "Первая строка.", "Вторая строка."});
  WriteAbout(root.Path(), "Beta", {"Бета"});
  CityChooserWindow f(root.Path());
  EXPECT_EQ(f.CityNameLabel->text(), U("Город Альфа"));
  EXPECT_EQ(f.MemoCityInfo->toPlainText(), U("Первая строка.\nВторая строка."));
  EXPECT_EQ(f.CityDirName, "Alpha");
  EXPECT_TRUE(f.Load->isEnabled());
  EXPECT_TRUE(f.ListView->selectedItems().isEmpty());
}

TEST(CityWindow, SingleLineAboutGivesTitleAndEmptyDescription) {
  TempDir root;
  WriteAbout(root.Path(), "Solo", {"Одинокий"});
  CityChooserWindow f(root.Path());
  EXPECT_EQ(f.CityNameLabel->text(), U("Одинокий"));
  EXPECT_EQ(f.MemoCityInfo->toPlainText(), "");
}

TEST(CityWindow, SelectingAnEntryShowsThatCity) {
  TempDir root;
  WriteAbout(root.Path(), "Alpha", {"Альфа", "Про Альфу"});
  WriteAbout(root.Path(), "Beta", {"Бета", "Про Бету"});
  CityChooserWindow f(root.Path());
  f.ListView->item(1)->setSelected(true);
  EXPECT_EQ(f.CityNameLabel->text(), U("Бета"));
  EXPECT_EQ(f.MemoCityInfo->toPlainText(), U("Про Бету"));
  EXPECT_EQ(f.CityDirName, "Beta");
}

TEST(CityWindow, VanishedAboutInfKeepsWhatThePreviousCityShowed) {
  TempDir root;
  WriteAbout(root.Path(), "Alpha", {"Альфа", "Про Альфу"});
  WriteAbout(root.Path(), "Beta", {"Бета"});
  CityChooserWindow f(root.Path());
  std::filesystem::remove(root.Path() / "Beta" / "Info" / "about.inf");
  f.ShowCity(1);
  EXPECT_EQ(f.CityNameLabel->text(), U("Альфа"));
  EXPECT_EQ(f.MemoCityInfo->toPlainText(), U("Про Альфу"));
  EXPECT_TRUE(f.Load->isEnabled());
  EXPECT_EQ(f.CityDirName, "Beta");
}

TEST(CityWindow, CityPictureShownOnlyWhenPresent) {
  // A stand-in decoder until the window registers the program's own.
  RegisterPictureDecoder("jpg", "jpg", [](const std::string& bytes, QImage& out, std::string&) {
    out = QImage::fromData(QByteArray::fromStdString(bytes), "JPG");
    return !out.isNull();
  });
  TempDir root;
  WriteAbout(root.Path(), "Alpha", {"Альфа"});
  WriteBytes(root.Path() / "Alpha" / "Info" / "Picture.jpg", JpegBytes(Qt::red));
  WriteAbout(root.Path(), "Beta", {"Бета"});
  CityChooserWindow f(root.Path());
  f.show();
  EXPECT_TRUE(f.ImageCity->isVisible());
  const QImage shown = f.ImageCity->pixmap().toImage();
  EXPECT_EQ(shown.size(), QSize(40, 30));
  EXPECT_GT(qRed(shown.pixel(20, 15)), 200);
  f.ShowCity(1);
  EXPECT_FALSE(f.ImageCity->isVisible());
}

TEST(CityWindow, LoadShowsTheMapWindowTitledWithTheFirstLine) {
  TempDir root;
  WriteAbout(root.Path(), "Nowhere", {"Город без данных", "Описание"});
  ShellWindows w(root.Path());
  w.cityChooser->OnLoadClicked();
  EXPECT_FALSE(w.cityChooser->isVisible());
  EXPECT_TRUE(w.mapWindow->isVisible());
  EXPECT_EQ(w.mapWindow->windowTitle(), U("Город без данных"));
  EXPECT_EQ(w.mapWindow->Core().CurrentCity, "Nowhere");
  EXPECT_FALSE(w.cityChooser->PanelStartImage->isVisibleTo(w.cityChooser.get()));
  // A city without data files loads silently into empty tables.
  EXPECT_TRUE(w.messages.empty());
  EXPECT_EQ(w.cityChooser->CityProgress->value(), 10);
  const MapExtents& e = w.mapWindow->Core().Extents;
  EXPECT_EQ(e.MapMinX, 0);
  EXPECT_EQ(e.MapMinY, 0);
  EXPECT_EQ(e.MapMaxX, 0);
  EXPECT_EQ(e.MapMaxY, 0);
  EXPECT_EQ(w.programEnds, 0);
}

TEST(CityWindow, MainMenuItemReturnsWithThePreviousCityShown) {
  TempDir root;
  WriteAbout(root.Path(), "Alpha", {"Альфа", "Про Альфу"});
  WriteAbout(root.Path(), "Beta", {"Бета"});
  ShellWindows w(root.Path());
  w.cityChooser->ListView->item(1)->setSelected(true);
  w.cityChooser->OnLoadClicked();
  w.mapWindow->MenuItem("N19")->trigger();
  EXPECT_FALSE(w.mapWindow->isVisible());
  EXPECT_TRUE(w.cityChooser->isVisible());
  EXPECT_FALSE(w.cityChooser->PanelStartImage->isVisible());
  EXPECT_EQ(w.cityChooser->PanelStartImage->geometry(), QRect(0, 0, 553, 416));
  EXPECT_EQ(w.cityChooser->CityNameLabel->text(), U("Бета"));
  EXPECT_EQ(w.cityChooser->CityDirName, "Beta");
  EXPECT_EQ(w.programEnds, 0);
}

TEST(CityWindow, ClosingEitherWindowEndsTheProgram) {
  TempDir root;
  ShellWindows w(root.Path());
  w.cityChooser->Exit->click();
  EXPECT_EQ(w.programEnds, 1);
  w.mapWindow->show();
  w.mapWindow->MenuItem("N2")->trigger();
  EXPECT_EQ(w.programEnds, 2);
  EXPECT_FALSE(w.mapWindow->isVisible());
}

// The progress texts stand white on a dark strip, readable over the pale splash.
TEST(CityWindow, ProgressTextsStandOutFromTheSplash) {
  TempDir root;
  CityChooserWindow f(root.Path());
  f.show();
  f.PanelStartImage->setGeometry(f.rect());
  f.PanelStartImage->show();
  f.LoadLabel->setText(U("Улицы"));
  const QImage panel = f.PanelStartImage->grab().toImage();
  for (const QLabel* label : {f.LoadingCaption, f.LoadLabel}) {
    const QRect box = label->geometry();
    int dark = 0, white = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
      for (int x = box.left(); x <= box.right(); ++x) {
        const int grey = qGray(panel.pixel(x, y));
        dark += grey < 90;
        white += grey > 200;
      }
    EXPECT_GT(dark, box.width() * box.height() / 2) << label->objectName().toStdString();
    EXPECT_GT(white, 20) << label->objectName().toStdString();
  }
}
