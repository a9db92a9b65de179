// «Закладки» in the real windows: Ctrl+D adds the view under the name offered
// (what is selected, else the address under the middle of the map), choosing
// a bookmark brings its centre and scale back, rename and delete change the
// list, and a second run over the same settings file has them, a damaged
// entry of the file skipped.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "render/VisibleMiddle.h"
#include "shell/widgets/AppWindows.h"
#include "shell/widgets/BookmarksMenu.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "support/CityBuilder.h"

namespace {

// A house around the middle of the first view (near (500, 600), where the
// window's panels leave it) and a street south of it.
struct Town : CityBuilder {
  Town() : CityBuilder("Town") {
    About("Городок");
    Plain("Data/Streets.txt", {StreetRecord("Ленина", "300 650 700 650", 2, "4", "улица")});
    Plain("Data/Buildings.txt", {{W("Ленина"), "5", " ", "4", "460 480 540 480 540 640 460 640"}});
  }
};

// The program over the town with its settings in `file`, the town loaded;
// the name dialog answers `answer` and remembers what it was offered.
struct ProgramRun {
  ProgramRun(const Town& town, const fs::path& file)
      : settings(QString::fromStdString(NativeString(file)), QSettings::IniFormat),
        windows({town.DataRoot()}, &settings) {
    for (auto* sink : {&windows.CityChooser.MessageSink, &windows.Map.MessageSink})
      *sink = [this](const std::string& m) { messages.push_back(m); };
    windows.CityChooser.EndProgram = windows.Map.EndProgram = [] {};
    Form().AskBookmarkName = [this](const QString& title, const QString& was) {
      asked << title + ": " + was;
      return answer;
    };
    windows.CityChooser.SelectCity("Town");
    windows.CityChooser.OnLoadClicked();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Form()));
  }
  MapWindow& Form() { return windows.Map; }
  BookmarksMenu& Menu() { return *Form().Bookmarks(); }
  QStringList Listed() {
    QStringList names;
    for (const QAction* item : Menu().ListItems()) names << item->text();
    return names;
  }
  // The map point in the middle of the visible map, and the scale.
  std::pair<MapPoint, float> View() {
    const ViewState& v = Form().Core().View;
    const QPoint middle = VisibleMapCentre(Form().VisibleMapRect());
    return {HitToMap(WindowToHit(v, middle.x(), middle.y()), v.Scale), v.Scale};
  }

  QSettings settings;
  AppWindows windows;
  std::optional<QString> answer;
  QStringList asked;
  std::vector<std::string> messages;
};

}  // namespace

TEST(MapBookmarks, AddChooseRenameDeleteAndASecondRunKeepsThem) {
  Town town;
  TempDir dir;
  const fs::path file = dir.Path() / "Tellurin.conf";
  WriteBytes(file,
             "[Bookmarks]\nsize=2\n"
             "1\\City=Town\n1\\Name=Damaged\n1\\CenterX=1\n1\\CenterY=2\n1\\Scale=lots\n"
             "2\\City=Town\n2\\Name=Start & end\n2\\CenterX=350\n2\\CenterY=650\n2\\Scale=0.5\n");
  std::pair<MapPoint, float> house;
  {
    ProgramRun run(town, file);
    MapWindow& f = run.Form();
    EXPECT_EQ(run.Listed(), QStringList{"Start && end"});
    EXPECT_EQ(run.Menu().AddItem->shortcut(), QKeySequence("Ctrl+D"));

    // Nothing selected: the house under the middle; cancelled, nothing added.
    f.ZoomSlider->setValue(5);
    house = run.View();
    QTest::keyClick(f.MapView(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(run.Listed(), QStringList{"Start && end"});
    run.answer = U(" Дом\n5 ");
    QTest::keyClick(f.MapView(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(run.Listed(), (QStringList{"Start && end", U("Дом 5")}));

    // The street selected: its name.
    QTest::mouseClick(f.MapView(), Qt::LeftButton, Qt::NoModifier, WindowPixelOf(f.Core().View, 600, 650));
    ASSERT_TRUE(f.Core().Selection.StreetSelected);
    run.answer = U("Улица");
    run.Menu().AddItem->trigger();
    EXPECT_EQ(run.asked, (QStringList{U("Добавить закладку: Ленина 5"), U("Добавить закладку: Ленина 5"),
                                      U("Добавить закладку: улица Ленина")}));

    // Choosing one shows its centre and scale.
    run.Menu().ListItems()[0]->trigger();
    EXPECT_EQ(run.View(), std::make_pair(MapPoint{350, 650}, 0.5f));
    run.Menu().ListItems()[1]->trigger();
    EXPECT_EQ(run.View(), house);
    EXPECT_EQ(f.ZoomEdit->text(), "250%");

    run.answer = U("Западный конец");
    run.Menu().RenameMenu->actions()[0]->trigger();
    run.Menu().DeleteMenu->actions()[2]->trigger();
    EXPECT_EQ(run.asked.back(), U("Переименовать закладку: Start & end"));
    EXPECT_EQ(run.Listed(), (QStringList{U("Западный конец"), U("Дом 5")}));
    EXPECT_EQ(run.Menu().RenameMenu->actions().size(), 2);
    EXPECT_TRUE(run.messages.empty()) << run.messages.front();
  }
  EXPECT_EQ(ReadBytes(file).find("Damaged"), std::string::npos);
  {
    ProgramRun second(town, file);
    EXPECT_EQ(second.Listed(), (QStringList{U("Западный конец"), U("Дом 5")}));
    second.Menu().ListItems()[1]->trigger();
    EXPECT_EQ(second.View(), house);
    second.Menu().DeleteMenu->actions()[0]->trigger();
    second.Menu().DeleteMenu->actions()[0]->trigger();
    EXPECT_EQ(second.Listed(), QStringList{});
    EXPECT_TRUE(second.Menu().NoBookmarksItem->isVisible());
    EXPECT_FALSE(second.Menu().DeleteMenu->menuAction()->isEnabled());
    EXPECT_TRUE(second.messages.empty()) << second.messages.front();
  }
}
