// «Добавить город из OpenStreetMap…» through the real windows: the file comes
// from a hook, the settlements are listed and filtered, the import runs off
// the interface thread with its progress, «Отмена» and closing leave the data
// root as it was, a city of the same name is replaced only when the user
// agrees, a failure shows the command line's message, and a city added
// appears in the list and opens.
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "SyntheticExtract.h"
#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "shell/widgets/CityImportWindow.h"
#include "shell/widgets/ShellWindowsFixture.h"

namespace {

namespace fs = std::filesystem;

const fs::path kPlaces = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "places.osm";

// Lets the interface run until `done` holds; a generous bound only keeps a
// broken import from hanging the suite.
bool RunUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 12000 && !done(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(5);
  }
  return done();
}

std::set<std::string> EntriesOf(const fs::path& root) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(root)) names.insert(NativeString(entry.path().filename()));
  return names;
}

QStringList ListedCities(const CityChooserWindow& f) {
  QStringList names;
  for (int i = 0; i < f.ListView->count(); ++i) names << f.ListView->item(i)->text();
  return names;
}

QStringList ListedPlaces(const QTableView* list) {
  QStringList rows;
  for (int r = 0; r < Rows(list); ++r) rows << CellText(list, r, 0) + "|" + CellText(list, r, 1) + "|" + CellText(list, r, 2);
  return rows;
}

// The chooser over a data root of its own, with the file and the answer to
// "replace?" given by hooks.
struct ImportFixture {
  TempDir root;
  ShellWindows w{root.Path()};
  std::vector<std::string> replaceAsked;
  bool replaceAnswer = false;

  // Opens the import window on `file` and waits for its settlements (a
  // file that cannot be listed closes the window).
  QPointer<CityImportWindow> Open(const fs::path& file) {
    w.cityChooser->AskOsmFile = [file] { return PathToQString(file); };
    w.cityChooser->AskReplace = [this](const std::string& name) {
      replaceAsked.push_back(name);
      return replaceAnswer;
    };
    w.cityChooser->AddCityButton->click();
    QPointer<CityImportWindow> window = w.cityChooser->ImportWindow();
    EXPECT_TRUE(window && RunUntil([window] { return !window || !window->Working(); }));
    return window;
  }
  bool Closed() { return RunUntil([this] { return w.cityChooser->ImportWindow() == nullptr; }); }
  fs::path City(const char* name) const { return root.Path() / NativePath(name); }
};

TEST(CityImportWindow, ListsTheSettlementsFiltersThemAndAddsTheChosenOne) {
  ImportFixture f;
  WriteAbout(f.root.Path(), "Alpha", {"Альфа"});
  QPointer<CityImportWindow> window = f.Open(kPlaces);
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), U("Добавить город из OpenStreetMap"));
  EXPECT_EQ(ListedPlaces(window->PlaceList),
            (QStringList{U("Весь файл||"), U("Светлоград|город, центр региона|250\u00a0000"),
                         U("Косшы|небольшой город|40\u00a0000"), U("Берёзовка|село|900"), U("Ключи|деревня|")}));
  // The most important settlement is chosen and names the city.
  EXPECT_EQ(window->CityNameField->text(), U("Светлоград"));
  EXPECT_TRUE(window->ImportButton->isEnabled());

  // The filter keeps the chosen row while it matches, else takes the first settlement kept.
  const struct {
    const char* typed;
    QStringList names;
    const char* cityName;
  } filters[] = {
      {"svet", {U("Весь файл"), U("Светлоград")}, "Светлоград"},
      {"кос", {U("Весь файл"), U("Косшы")}, "Косшы"},
      {"", {U("Весь файл"), U("Светлоград"), U("Косшы"), U("Берёзовка"), U("Ключи")}, "Косшы"},
  };
  for (const auto& c : filters) {
    window->PlaceFilter->setText(U(c.typed));
    QStringList names;
    for (int r = 0; r < Rows(window->PlaceList); ++r) names << CellText(window->PlaceList, r, 0);
    EXPECT_EQ(names, c.names) << c.typed;
    EXPECT_EQ(window->CityNameField->text(), U(c.cityName)) << c.typed;
  }

  // A name of the user's own stays when another row is chosen; a bad one stops the import.
  window->CityNameField->setText(U("Мой/город"));
  EXPECT_FALSE(window->NameProblemLabel->isHidden());
  EXPECT_FALSE(window->ImportButton->isEnabled());
  window->CityNameField->setText(U("Мой город"));
  window->PlaceList->selectRow(3);
  EXPECT_EQ(window->CityNameField->text(), U("Мой город"));
  EXPECT_TRUE(window->ImportButton->isEnabled());

  // The progress: the step and its percentage, rising within each step, ending with the city in place.
  QStringList steps;
  QObject::connect(window->ImportProgress, &QProgressBar::valueChanged,
                   [&] { steps << window->StepLabel->text(); });
  window->ImportButton->click();
  EXPECT_TRUE(window->Working());
  EXPECT_FALSE(window->PlaceList->isEnabled());
  EXPECT_TRUE(f.Closed());
  ASSERT_FALSE(steps.isEmpty());
  EXPECT_EQ(steps.back(), U("Запись на диск: 100 %"));
  for (qsizetype i = 1; i < steps.size(); ++i) {
    const QString step = steps[i].section(':', 0, 0), before = steps[i - 1].section(':', 0, 0);
    if (step == before) {
      EXPECT_GT(steps[i].section(' ', -2, -2).toInt(), steps[i - 1].section(' ', -2, -2).toInt());
    }
  }

  // The city is listed, chosen and open; nothing but it was added.
  EXPECT_TRUE(f.w.messages.empty());
  EXPECT_TRUE(f.replaceAsked.empty());
  EXPECT_EQ(ListedCities(*f.w.cityChooser), (QStringList{"Alpha", U("Мой город")}));
  EXPECT_EQ(f.w.cityChooser->CityDirName, "Мой город");
  EXPECT_TRUE(f.w.mapWindow->isVisible());
  EXPECT_FALSE(f.w.cityChooser->isVisible());
  EXPECT_EQ(f.w.mapWindow->Core().CurrentCity, "Мой город");
  EXPECT_EQ(EntriesOf(f.root.Path()), (std::set<std::string>{"Alpha", "Мой город"}));
}

TEST(CityImportWindow, ReplacesACityOfTheSameNameOnlyWhenTheUserAgrees) {
  for (const bool agree : {false, true}) {
    ImportFixture f;
    WriteAbout(f.root.Path(), "Светлоград", {"Старый Светлоград"});
    f.replaceAnswer = agree;
    QPointer<CityImportWindow> window = f.Open(kPlaces);
    ASSERT_TRUE(window);
    window->ImportButton->click();
    EXPECT_EQ(f.replaceAsked, std::vector<std::string>{"Светлоград"});
    if (!agree) {
      EXPECT_FALSE(window->Working());  // nothing started; the window waits for another choice
      EXPECT_TRUE(window->isVisible());
      window->CancelButton->click();
    }
    EXPECT_TRUE(f.Closed());
    const std::string title = ReadBytes(f.City("Светлоград") / "Info" / "about.inf");
    EXPECT_EQ(title.starts_with(cp1251::FromUtf8("Старый Светлоград")), !agree) << agree;
    EXPECT_EQ(EntriesOf(f.root.Path()), std::set<std::string>{"Светлоград"}) << agree;
    EXPECT_EQ(f.w.mapWindow->isVisible(), agree);
  }
}

// «Отмена», the window's close box and the end of the program all stop the
// import and wait for it: nothing is left in the data root but the old city, whole.
TEST(CityImportWindow, StoppingLeavesNothingAndTheOldCityWhole) {
  TempDir source;
  // Written under a Latin name and renamed: the extract's writer opens its
  // file by the narrow name, which on Windows cannot spell Cyrillic.
  const fs::path big = source.Path() / NativePath("Большой.osm.pbf");
  WriteSyntheticExtract({.Blocks = 40}, source.Path() / "big.osm.pbf");
  fs::rename(source.Path() / "big.osm.pbf", big);
  enum class After { StaysOpen, Closes, ProgramEnded };
  const struct {
    const char* how;
    std::function<void(ImportFixture&, CityImportWindow*)> stop;
    After after;
  } cases[] = {
      {"cancel", [](ImportFixture&, CityImportWindow* w) { w->CancelButton->click(); }, After::StaysOpen},
      {"close box", [](ImportFixture&, CityImportWindow* w) { w->close(); }, After::Closes},
      {"program ends", [](ImportFixture& f, CityImportWindow*) { f.w.cityChooser->close(); }, After::ProgramEnded},
  };
  for (const auto& c : cases) {
    ImportFixture f;
    WriteAbout(f.root.Path(), "Большой", {"Старый Большой"});
    const std::string oldAbout = ReadBytes(f.City("Большой") / "Info" / "about.inf");
    f.replaceAnswer = true;
    QPointer<CityImportWindow> window = f.Open(big);
    ASSERT_TRUE(window) << c.how;
    EXPECT_EQ(window->CityNameField->text(), U("Большой")) << c.how;  // the file's name: no settlement in it
    window->ImportButton->click();
    ASSERT_TRUE(window->Working()) << c.how;
    c.stop(f, window);
    switch (c.after) {
      case After::StaysOpen:
        EXPECT_TRUE(RunUntil([window] { return !window->Working(); })) << c.how;
        EXPECT_TRUE(window->isVisible()) << c.how;
        EXPECT_EQ(window->StepLabel->text(), U("Импорт остановлен, город не добавлен.")) << c.how;
        break;
      case After::Closes:
        EXPECT_TRUE(window->isVisible()) << c.how;  // until the import has stopped
        EXPECT_TRUE(f.Closed()) << c.how;
        break;
      case After::ProgramEnded:
        EXPECT_EQ(f.w.programEnds, 1);  // after the import stopped
        break;
    }
    EXPECT_EQ(EntriesOf(f.root.Path()), std::set<std::string>{"Большой"}) << c.how;
    EXPECT_EQ(ReadBytes(f.City("Большой") / "Info" / "about.inf"), oldAbout) << c.how;
    EXPECT_TRUE(f.w.messages.empty()) << c.how;
    EXPECT_FALSE(f.w.mapWindow->isVisible()) << c.how;
  }
}

// The message names the file and the problem as tellurin-cli import-osm does.
TEST(CityImportWindow, FailureShowsTheCommandLinesMessage) {
  TempDir source;
  const fs::path onlyPlaces = source.Path() / "hamlet.osm";
  WriteBytes(onlyPlaces, "<?xml version='1.0' encoding='UTF-8'?>\n<osm version='0.6'>\n"
                         "<node id='1' lat='55' lon='37'><tag k='place' v='hamlet'/><tag k='name' v='Ключи'/></node>\n"
                         "</osm>\n");
  const fs::path notOsm = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "not-osm.osm";
  for (const fs::path& file : {onlyPlaces, notOsm}) {
    ImportFixture f;
    QPointer<CityImportWindow> window = f.Open(file);
    if (window && window->isVisible()) {  // listed: the import fails
      window->ImportButton->click();
      EXPECT_TRUE(RunUntil([window] { return !window->Working(); }));
    }
    TempDir other;
    const CliResult cli = RunCli({"import-osm", NativeString(file), "--name", "Ключи", "--out", NativeString(other.Path())});
    ASSERT_EQ(cli.exitCode, 1);
    // From the file's name on: the folders' separators are the window's own
    // on Windows ("C:\\...") where the test hands the CLI forward slashes.
    const std::string fileName = NativeString(file.filename());
    ASSERT_NE(cli.err.find(fileName), std::string::npos) << cli.err;
    const std::string cliMessage = cli.err.substr(cli.err.find(fileName));
    ASSERT_EQ(f.w.messages.size(), 1u) << NativeString(file);
    EXPECT_NE(f.w.messages[0].find(cliMessage.substr(0, cliMessage.size() - 1)), std::string::npos)
        << f.w.messages[0] << "\n" << cliMessage;
    EXPECT_TRUE(!fs::exists(f.root.Path()) || EntriesOf(f.root.Path()).empty());
  }
}

TEST(CityImportWindow, TheMapWindowsFileMenuAddsACityToo) {
  ImportFixture f;
  WriteAbout(f.root.Path(), "Alpha", {"Альфа"});
  f.w.cityChooser->OnLoadClicked();
  ASSERT_TRUE(f.w.mapWindow->isVisible());
  f.w.cityChooser->AskOsmFile = [] { return PathToQString(kPlaces); };
  f.w.mapWindow->MenuItem("AddCityItem")->trigger();
  QPointer<CityImportWindow> window = f.w.cityChooser->ImportWindow();
  ASSERT_TRUE(window);
  EXPECT_EQ(window->parentWidget(), f.w.mapWindow.get());
  ASSERT_TRUE(RunUntil([window] { return window->ImportButton->isEnabled(); }));
  window->ImportButton->click();
  EXPECT_TRUE(f.Closed());
  EXPECT_EQ(f.w.mapWindow->Core().CurrentCity, "Светлоград");
  EXPECT_TRUE(f.w.mapWindow->isVisible());
}

// A city another program added, or removed, shows when the chooser is shown again.
TEST(CityImportWindow, TheChooserListsAgainWhenShownKeepingTheSelection) {
  TempDir root;
  WriteAbout(root.Path(), "Alpha", {"Альфа"});
  WriteAbout(root.Path(), "Beta", {"Бета"});
  ShellWindows w(root.Path());
  w.cityChooser->SelectCity("Beta");
  w.cityChooser->hide();
  WriteAbout(root.Path(), "Aardvark", {"Трубкозуб"});
  fs::remove_all(root.Path() / "Alpha");
  w.cityChooser->show();
  EXPECT_EQ(ListedCities(*w.cityChooser), (QStringList{"Aardvark", "Beta"}));
  EXPECT_EQ(w.cityChooser->ListView->currentItem()->text(), "Beta");
  EXPECT_TRUE(w.cityChooser->ListView->currentItem()->isSelected());
  EXPECT_EQ(w.cityChooser->CityNameLabel->text(), U("Бета"));

  w.cityChooser->hide();
  fs::remove_all(root.Path() / "Beta");
  w.cityChooser->show();
  EXPECT_EQ(ListedCities(*w.cityChooser), QStringList{"Aardvark"});
  EXPECT_EQ(w.cityChooser->CityNameLabel->text(), U("Трубкозуб"));
  fs::remove_all(root.Path() / "Aardvark");
  w.cityChooser->hide();
  w.cityChooser->show();
  EXPECT_EQ(w.cityChooser->ListView->count(), 0);
  EXPECT_FALSE(w.cityChooser->Load->isEnabled());
  EXPECT_EQ(w.cityChooser->CityNameLabel->text(), U("Имя города"));
}

}  // namespace
