// What a desktop map user reaches for, through the real windows over the demo
// cities (and a city too big for 50%, written for the test): the keys on the
// map, "Весь город", the zoom out to the whole of a big city, the double
// click, the city list's double click and Enter, the memory between runs, the
// saved picture and the printed page.
#include <QAction>
#include <QListWidget>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QSettings>
#include <QSlider>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "interaction/ViewMoves.h"
#include "render/ViewTransform.h"
#include "render/VisibleMiddle.h"
#include "shell/RememberedState.h"
#include "shell/widgets/AppWindows.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"
#include "support/CityBuilder.h"
#include "mapdata/NativeName.h"
#include "view/ViewScale.h"

namespace {

// The view as the window remembers it: the map point in the middle of the
// visible map, with the scale and the object filter.  (The picture's own
// centre comes back only to within a map unit: the middle is kept in whole
// map units, and at 250% a unit is 2.5 pixels.)
CityView VisibleView(MapWindow& f, const MapCore& core) {
  CityView view = CaptureCityView(core);
  const QPoint middle = VisibleMapCentre(f.VisibleMapRect());
  const MapPoint point = HitToMap(WindowToHit(core.View, middle.x(), middle.y()), core.View.Scale);
  view.CenterX = point.X;
  view.CenterY = point.Y;
  return view;
}

const std::string kPlainCity = "Светлогорск";
const std::string kScrambledCity = "Озёрск";

// The demo cities, written by their generator into a temporary data root.
struct DemoRoot {
  DemoRoot() {
    QProcess generator;
    generator.start(TELLURIN_DEMO_PATH, {"--out", QString::fromStdString(NativeString(dir.Path()))});
    generator.waitForFinished(60000);
    EXPECT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
  }
  const fs::path& Path() const { return dir.Path(); }
  TempDir dir;
};

// A map window on a screen of the given size, laid out at that size (the
// offscreen platform's own screen, 800 x 800, is narrower than the window).
class DesktopMapWindow : public MapWindow {
 public:
  DesktopMapWindow(const fs::path& root, QSize screen) : MapWindow(root), screen_(screen) {
    if (screen_.isEmpty()) return;
    setWindowState(Qt::WindowNoState);
    resize(screen_.width(), screen_.height() - 40);
  }
  int ScreenPixelWidth() const override { return screen_.isEmpty() ? MapWindow::ScreenPixelWidth() : screen_.width(); }
  int ScreenPixelHeight() const override {
    return screen_.isEmpty() ? MapWindow::ScreenPixelHeight() : screen_.height();
  }

 private:
  QSize screen_;
};

// Both windows over a data root with one of its cities loaded and the map shown.
struct CityMap {
  CityMap(const fs::path& root, const std::string& city, QSize screen) : cityChooser(root), mapWindow(root, screen) {
    cityChooser.MessageSink = mapWindow.MessageSink = [this](const std::string& m) { messages.push_back(m); };
    cityChooser.EndProgram = mapWindow.EndProgram = [] {};
    cityChooser.SetMapWindow(&mapWindow);
    mapWindow.SetCityWindow(&cityChooser);
    cityChooser.show();
    cityChooser.SelectCity(city);
    cityChooser.OnLoadClicked();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&mapWindow));
    EXPECT_TRUE(messages.empty()) << messages.front();
  }
  MapWindow& Form() { return mapWindow; }
  MapCore& Core() { return mapWindow.Core(); }
  // The map point (in map units) under window pixel p of the map area.
  QPointF MapPointAt(QPoint p) {
    const HitPoint hit = WindowToHit(Core().View, p.x(), p.y());
    return {hit.X / Core().View.Scale, hit.Y / Core().View.Scale};
  }
  // The window pixel of the map area that shows map point (x, y).
  QPoint WindowPixelOf(int x, int y) {
    const PixelPoint p = MapToPicture(Core().View, x, y);
    return {p.X - Core().View.ScreenWidth / 2, p.Y - Core().View.ScreenHeight / 2};
  }
  CityChooserWindow cityChooser;
  DesktopMapWindow mapWindow;
  std::vector<std::string> messages;
};

// The map of a demo city (the root first, then the windows over it).
struct DemoMap : DemoRoot, CityMap {
  explicit DemoMap(const std::string& city, QSize screen = {}) : CityMap(Path(), city, screen) {}
};

// A city 50 km wide (12500 map units of 4 m by 8000) far from the map's
// origin: one market square over the whole of it.
struct BigCity : CityBuilder {
  BigCity() : CityBuilder("Big") {
    About("Большой город");
    Plain("Data/Regions.txt", {{W("Рынки"), "4", "20000 10000 32500 10000 32500 18000 20000 18000", "0", " "}});
  }
};
struct BigCityMap : BigCity, CityMap {
  explicit BigCityMap(QSize screen) : CityMap(DataRoot(), Name(), screen) {}
};

void ExpectNear(QPointF a, QPointF b, double tolerance, const std::string& what) {
  EXPECT_NEAR(a.x(), b.x(), tolerance) << what;
  EXPECT_NEAR(a.y(), b.y(), tolerance) << what;
}

}  // namespace

// The map takes the focus on a click; each key pans by a quarter (Shift: the
// whole) of the visible map or zooms one track bar step around its middle,
// and the track bar and ZoomEdit follow.
TEST(MapDesktop, EachKeyMovesTheView) {
  DemoMap m(kPlainCity);
  MapArea* area = m.Form().MapView();
  const QRect visible = m.Form().VisibleMapRect();
  QTest::mouseClick(area, Qt::RightButton, Qt::NoModifier, visible.center());
  ASSERT_TRUE(area->hasFocus());
  const int w = visible.width(), h = visible.height();
  struct Case {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    int Dx, Dy;     // pan in pixels
    float Dscale;   // or a zoom
  };
  const Case cases[] = {
      {Qt::Key_Right, Qt::NoModifier, w / 4, 0, 0},       {Qt::Key_Left, Qt::NoModifier, -(w / 4), 0, 0},
      {Qt::Key_Down, Qt::NoModifier, 0, h / 4, 0},        {Qt::Key_Up, Qt::NoModifier, 0, -(h / 4), 0},
      {Qt::Key_Right, Qt::ShiftModifier, w, 0, 0},        {Qt::Key_Left, Qt::ShiftModifier, -w, 0, 0},
      {Qt::Key_Down, Qt::ShiftModifier, 0, h, 0},         {Qt::Key_Up, Qt::ShiftModifier, 0, -h, 0},
      {Qt::Key_Plus, Qt::ShiftModifier, 0, 0, 0.5f},      {Qt::Key_Minus, Qt::NoModifier, 0, 0, -0.5f},
      {Qt::Key_Equal, Qt::NoModifier, 0, 0, 0.5f},        {Qt::Key_Minus, Qt::ControlModifier, 0, 0, -0.5f},
      {Qt::Key_Equal, Qt::ControlModifier, 0, 0, 0.5f},   {Qt::Key_Minus, Qt::KeypadModifier, 0, 0, -0.5f},
      {Qt::Key_Plus, Qt::KeypadModifier, 0, 0, 0.5f},
  };
  const QPoint middle = VisibleMapCentre(visible);
  for (const Case& c : cases) {
    const std::string what = QKeySequence(c.Key | c.Modifiers).toString().toStdString();
    const ViewState before = m.Core().View;
    const QPointF atMiddle = m.MapPointAt(middle);
    QTest::keyClick(area, c.Key, c.Modifiers);
    const ViewState& v = m.Core().View;
    EXPECT_EQ(v.Scale, before.Scale + c.Dscale) << what;
    EXPECT_EQ(m.Form().ZoomSlider->value(), static_cast<int>(2 * v.Scale)) << what;
    EXPECT_EQ(m.Form().ZoomEdit->text().toStdString(), ZoomFieldText(v.Scale)) << what;
    if (c.Dscale == 0) {
      EXPECT_EQ(v.OffsetX - before.OffsetX, c.Dx) << what;
      EXPECT_EQ(v.OffsetY - before.OffsetY, c.Dy) << what;
    } else {
      ExpectNear(m.MapPointAt(middle), atMiddle, 1.0 / v.Scale + 0.01, what);
    }
  }
  QTest::keyClick(area, Qt::Key_Home);
  const ViewState home = m.Core().View;
  m.Form().ZoomSlider->setValue(30);
  m.Form().MenuItem("WholeCityItem")->trigger();
  EXPECT_EQ(m.Core().View.OffsetX, home.OffsetX);
  EXPECT_EQ(m.Core().View.Scale, home.Scale);
  EXPECT_EQ(m.Form().MenuItem("WholeCityItem")->shortcut(), QKeySequence(Qt::Key_Home));
}

// "Весь город" from the tool bar, the menu and Home: the extents whole in the
// visible map, at the largest track bar step that shows them whole (on a
// large screen, 100%; the list search panel takes its part of the width).
TEST(MapDesktop, WholeCityShowsTheExtentsOfBothDemoCities) {
  for (const std::string& city : {kPlainCity, kScrambledCity}) {
    DemoMap m(city, QSize(2560, 1800));
    MapWindow& f = m.Form();
    EXPECT_EQ(f.WholeCityButton->toolTip(), U("Показать весь город"));
    EXPECT_EQ(f.MenuItem("WholeCityItem")->text(), U("Весь город"));
    const std::function<void()> commands[] = {[&] { f.WholeCityButton->click(); },
                                              [&] { f.MenuItem("WholeCityItem")->trigger(); },
                                              [&] { QTest::keyClick(f.MapView(), Qt::Key_Home); }};
    for (const auto& command : commands) {
      f.ZoomSlider->setValue(20);
      command();
      const QRect visible = f.VisibleMapRect();
      const MapExtents& e = m.Core().Extents;
      const QPoint topLeft = m.WindowPixelOf(e.MapMinX, e.MapMinY);
      const QPoint bottomRight = m.WindowPixelOf(e.MapMaxX, e.MapMaxY);
      EXPECT_TRUE(visible.contains(topLeft) && visible.contains(bottomRight))
          << city << ": " << topLeft.x() << "," << topLeft.y() << " " << bottomRight.x() << "," << bottomRight.y()
          << " in " << visible.x() << "," << visible.y() << " " << visible.width() << "x" << visible.height()
          << " extents " << e.MapMinX << "," << e.MapMinY << " " << e.MapMaxX << "," << e.MapMaxY << " scale "
          << m.Core().View.Scale;
      const float next = m.Core().View.Scale + 0.5f;
      EXPECT_TRUE((e.MapMaxX - e.MapMinX) * next > visible.width() - 1 ||
                  (e.MapMaxY - e.MapMinY) * next > visible.height() - 1)
          << city << ": " << next << " would show them whole too";
      EXPECT_EQ(f.ZoomSlider->value(), 2) << city;
      EXPECT_EQ(f.ZoomEdit->text(), "100%") << city;
    }
  }
}

void Wheel(QWidget* target, QPoint at, int delta) {
  QWheelEvent event(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

// A city too big for 50%: the minus key, the wheel, the zoom field and
// "Весь город" go down to the scale that shows it whole (its width fills the
// visible map) and no lower, the track bar at its first step.  The demo city
// shows whole at 50%: nothing goes below 50%, and the zoom field leaves the
// track bar where it was.
TEST(MapDesktop, ZoomOutReachesTheScaleThatShowsABigCityWhole) {
  const QSize screen(1280, 1024);
  BigCityMap big(screen);
  DemoMap demo(kPlainCity, screen);
  struct Case {
    CityMap& Map;
    bool Big;
  };
  for (const Case& c : {Case{big, true}, Case{demo, false}}) {
    MapWindow& f = c.Map.Form();
    const ViewState& v = c.Map.Core().View;
    const QRect visible = f.VisibleMapRect();
    MapArea* area = f.MapView();
    const auto expectAtTheFloor = [&](const char* what, int trackBar) {
      if (c.Big) {
        const long double width = 12500.0L * v.Scale;  // 8000 units high: the width decides
        EXPECT_LE(width, visible.width() - 1) << what;
        EXPECT_GT(width, visible.width() - 1.01L) << what << ": " << v.Scale;
      } else {
        EXPECT_EQ(v.Scale, 0.5f) << what;
      }
      EXPECT_EQ(f.ZoomSlider->value(), trackBar) << what;
      EXPECT_EQ(f.ZoomEdit->text().toStdString(), ZoomFieldText(v.Scale)) << what;
    };
    const std::function<void()> commands[] = {
        [&] { for (int i = 0; i < 12; ++i) QTest::keyClick(area, Qt::Key_Minus); },
        [&] { for (int i = 0; i < 12; ++i) Wheel(area, visible.center(), -120); },
        [&] {
          f.ZoomEdit->setText("1");
          QTest::keyClick(f.ZoomEdit, Qt::Key_Return);
        }};
    const char* names[] = {"minus", "wheel", "zoom field"};
    for (int i = 0; i < 3; ++i) {
      f.ZoomSlider->setValue(2);
      commands[i]();
      expectAtTheFloor(names[i], 1);
    }
  }
  // "Весь город" frames the big city: its market fills the visible width,
  // ground above and below it.
  MapWindow& f = big.Form();
  f.ZoomSlider->setValue(20);
  QTest::keyClick(f.MapView(), Qt::Key_Home);
  const QRect visible = f.VisibleMapRect();
  EXPECT_EQ(f.ZoomSlider->value(), 1);
  EXPECT_GT(12500.0L * big.Core().View.Scale, visible.width() - 1.01L);
  const QImage shown = f.MapView()->grab().toImage();
  const QColor market(251, 125, 166), ground(240, 230, 230);
  const int middle = visible.center().y();
  struct Probe {
    QPoint At;
    QColor Expected;
  };
  for (const Probe& p : {Probe{{visible.left() + 1, middle}, market}, Probe{{visible.right() - 1, middle}, market},
                         Probe{{visible.center().x(), visible.top() + 2}, ground},
                         Probe{{visible.center().x(), visible.bottom() - 2}, ground}})
    EXPECT_EQ(shown.pixelColor(p.At).name(), p.Expected.name()) << p.At.x() << "," << p.At.y();
}

// A double click on an object: the first click selects it, the double click
// zooms in one step with the object still under the mouse.
TEST(MapDesktop, DoubleClickZoomsInAroundThePointUnderTheMouse) {
  DemoMap m(kPlainCity);
  MapWindow& f = m.Form();
  const QRect visible = f.VisibleMapRect().adjusted(20, 20, -20, -20);
  const LayerTable& objects = m.Core().Tables.ListOfObjects;
  QPoint at;
  for (int row = 0; row < objects.Count() && at.isNull(); ++row) {
    const QPoint p = m.WindowPixelOf(std::stoi(std::string(objects[row].Cell(object_cell::X))),
                                     std::stoi(std::string(objects[row].Cell(object_cell::Y))));
    if (visible.contains(p)) at = p;
  }
  ASSERT_FALSE(at.isNull());
  const QPointF before = m.MapPointAt(at);
  QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, Qt::NoModifier, f.MapView()->mapTo(&f, at));
  EXPECT_TRUE(m.Core().Selection.ObjectSelected);
  EXPECT_EQ(m.Core().View.Scale, 1.5f);
  EXPECT_EQ(f.ZoomEdit->text(), "150%");
  EXPECT_EQ(m.Core().Interaction.Mode, InteractionMode::Normal);
  ExpectNear(m.MapPointAt(at), before, 1.0, "the point under the mouse");
}

TEST(MapDesktop, DoubleClickOrEnterOnACityLoadsIt) {
  DemoRoot root;
  ShellWindows w(root.Path());
  QListWidget* list = w.cityChooser->ListView;
  QListWidgetItem* item = list->findItems(QString::fromStdString(kScrambledCity), Qt::MatchExactly).value(0);
  ASSERT_NE(item, nullptr);
  const QPoint at = list->visualItemRect(item).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_TRUE(w.mapWindow->isVisible());
  EXPECT_EQ(w.mapWindow->windowTitle(), QString::fromStdString(kScrambledCity));
  w.mapWindow->MenuItem("N19")->trigger();
  list->setCurrentRow(list->row(list->findItems(QString::fromStdString(kPlainCity), Qt::MatchExactly).value(0)));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(w.mapWindow->isVisible());
  EXPECT_EQ(w.mapWindow->windowTitle(), QString::fromStdString(kPlainCity));
}

namespace {

// The program started over the demo root with its settings in `file`.
struct ProgramRun {
  ProgramRun(const fs::path& root, const fs::path& file)
      : settings(QString::fromStdString(NativeString(file)), QSettings::IniFormat), windows({root}, &settings) {
    for (auto* sink : {&windows.CityChooser.MessageSink, &windows.Map.MessageSink})
      *sink = [this](const std::string& m) { messages.push_back(m); };
    windows.CityChooser.EndProgram = windows.Map.EndProgram = [] {};
  }
  MapCore& Core() { return windows.Map.Core(); }
  QSettings settings;
  AppWindows windows;
  std::vector<std::string> messages;
};

}  // namespace

// A second run starts where the first left off; a run over a corrupt file
// starts as the program always has, without a message.
TEST(MapDesktop, SettingsAreWrittenReadBackAndACorruptFileIgnored) {
  DemoRoot root;
  TempDir dir;
  const fs::path file = dir.Path() / "Tellurin.conf";
  CityView left;
  QRect placed;
  {
    ProgramRun first(root.Path(), file);
    MapWindow& f = first.windows.Map;
    first.windows.CityChooser.SelectCity(kPlainCity);
    first.windows.CityChooser.OnLoadClicked();
    f.ZoomSlider->setValue(5);
    QTest::keyClick(f.MapView(), Qt::Key_Right);
    f.LabelsButton->click();  // texts off
    f.MenuItem("AllIconsItem")->trigger();  // every icon drawn
    f.MenuItem("N17")->trigger();  // the routes panel in place of the list search
    f.setWindowState(Qt::WindowNoState);
    f.setGeometry(40, 50, 640, 480);  // as far as the tool bar lets it narrow
    placed = f.geometry();
    left = VisibleView(f, first.Core());
    f.MenuItem("N19")->trigger();
    EXPECT_TRUE(first.messages.empty());
  }
  EXPECT_NE(ReadBytes(file).find("LastCity=" + kPlainCity), std::string::npos) << ReadBytes(file);
  {
    ProgramRun second(root.Path(), file);
    MapWindow& f = second.windows.Map;
    EXPECT_EQ(second.windows.CityChooser.CityDirName, kPlainCity);
    EXPECT_EQ(second.windows.CityChooser.ListView->currentItem()->text().toStdString(), kPlainCity);
    EXPECT_EQ(f.geometry(), placed);
    EXPECT_FALSE(f.isMaximized());
    second.windows.CityChooser.OnLoadClicked();
    EXPECT_EQ(VisibleView(f, second.Core()), left);
    EXPECT_EQ(f.ZoomEdit->text(), "250%");
    EXPECT_FALSE(f.LabelsButton->isChecked());
    EXPECT_FALSE(f.MenuItem("N7")->isChecked());
    EXPECT_TRUE(f.MenuItem("AllIconsItem")->isChecked());
    EXPECT_TRUE(f.PanelPath->isVisible());
    EXPECT_FALSE(f.PanelSearch->isVisible());
    // Within a run a load starts afresh, as it always has.
    f.MenuItem("N19")->trigger();
    second.windows.CityChooser.OnLoadClicked();
    EXPECT_EQ(second.Core().View.Scale, 1.0f);
    EXPECT_TRUE(second.messages.empty());
  }
  WriteBytes(file, std::string("\xff\xfe[Cities\n1\\Scale=\x01\x02\n[Layers]\nTexts=maybe\n\x00\x00", 42));
  {
    ProgramRun third(root.Path(), file);
    EXPECT_EQ(third.windows.CityChooser.CityDirName, third.windows.CityChooser.ListView->item(0)->text().toStdString());
    EXPECT_TRUE(third.windows.Map.windowState() & Qt::WindowMaximized);
    third.windows.CityChooser.OnLoadClicked();
    EXPECT_EQ(third.Core().View.Scale, 1.0f);
    EXPECT_EQ(third.windows.Map.ZoomEdit->text(), "100%");
    EXPECT_TRUE(third.Core().Flags.Shown(DrawCode::Label));
    EXPECT_TRUE(third.windows.Map.PanelSearch->isVisible());
    EXPECT_TRUE(third.messages.empty()) << third.messages.front();
  }
}

// The window opens as it was left: a normal window where it was and at its
// size, a maximised one maximised; leaving writes that back.  A window that
// opens normal has no native window before it is shown: under X11 a window
// told to be maximised before its first show, and then not, may open
// maximised all the same.
TEST(MapDesktop, TheWindowOpensAsItWasLeft) {
  const QRect normal(40, 50, 900, 600);
  for (const bool maximised : {false, true}) {
    const std::string what = maximised ? "maximised" : "normal";
    TempDir root, dir;
    const QString file = QString::fromStdString(NativeString(dir.Path() / "Tellurin.conf"));
    {
      QSettings s(file, QSettings::IniFormat);
      s.setValue("Window/Maximised", maximised);
      s.setValue("Window/X", normal.x());
      s.setValue("Window/Y", normal.y());
      s.setValue("Window/Width", normal.width());
      s.setValue("Window/Height", normal.height());
    }
    ProgramRun run(root.Path(), dir.Path() / "Tellurin.conf");
    MapWindow& f = run.windows.Map;
    if (!maximised) EXPECT_FALSE(f.testAttribute(Qt::WA_WState_Created)) << what;
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f)) << what;
    EXPECT_EQ(f.isMaximized(), maximised) << what;
    if (!maximised) EXPECT_EQ(f.geometry(), normal) << what;
    f.close();
    QSettings s(file, QSettings::IniFormat);
    EXPECT_EQ(s.value("Window/Maximised").toBool(), maximised) << what;
    if (!maximised) EXPECT_EQ(s.value("Window/X").toInt(), normal.x()) << what;
  }
}

// The saved picture is the window's, pixel for pixel, the highlight of the
// selected street included; a folder that is not there is named in the message.
TEST(MapDesktop, SavedPictureIsWhatTheWindowShows) {
  DemoMap m(kPlainCity);
  MapWindow& f = m.Form();
  QTableView* results = f.PanelSearch->SearchListView;
  results->selectRow(4);
  QTest::mouseClick(results->viewport(), Qt::LeftButton, Qt::NoModifier,
                    results->visualRect(results->model()->index(4, 0)).center());
  ASSERT_TRUE(m.Core().Selection.StreetSelected);
  const fs::path file = m.Path() / "map.png";
  QString offered;
  f.AskPicturePath = [&](const QString& name) {
    offered = name;
    return QString::fromStdString(NativeString(file));
  };
  f.MenuItem("SaveImageItem")->trigger();
  EXPECT_EQ(offered, U("Светлогорск 100%.png"));
  const QImage shown = f.MapView()->grab(f.VisibleMapRect()).toImage().convertToFormat(QImage::Format_RGB32);
  const QImage saved = QImage(QString::fromStdString(NativeString(file))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(saved.size(), f.VisibleMapRect().size());
  EXPECT_EQ(saved, shown);

  const fs::path nowhere = m.Path() / "missing" / "map.png";
  f.AskPicturePath = [&](const QString&) { return QString::fromStdString(NativeString(nowhere)); };
  f.MenuItem("SaveImageItem")->trigger();
  ASSERT_EQ(m.messages.size(), 1u);
  EXPECT_NE(m.messages[0].find(NativeString(nowhere)), std::string::npos) << m.messages[0];
}

// What a program prints on standard output for the file (pdfinfo, pdftotext
// of poppler-utils), in UTF-8.
std::string ToolOutput(const char* tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    ADD_FAILURE() << tool << " (poppler-utils) did not run: " << process.errorString().toStdString();
    return {};
  }
  return process.readAllStandardOutput().toStdString();
}

// "Печать…" draws the view again for the printer, its text as text: the PDF's
// one page has the size of the printer's page, turned as the window's map
// is, the city as its title, and its text holds the city's name, the scale
// and the streets and places the view shows.
TEST(MapDesktop, PrintingDrawsTheViewWithItsTextOnOnePage) {
  DemoMap m(kPlainCity);
  const fs::path pdf = m.Path() / "map.pdf";
  QSizeF pagePoints;
  m.Form().PrinterInstalled = [] { return true; };
  m.Form().AskPrinter = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(NativeString(pdf)));
    pagePoints = printer.pageLayout().fullRect(QPageLayout::Point).size();
    return true;
  };
  m.Form().MenuItem("PrintItem")->trigger();
  EXPECT_TRUE(m.messages.empty()) << m.messages.front();
  const std::string bytes = ReadBytes(pdf);
  ASSERT_EQ(bytes.rfind("%PDF-", 0), 0u);
  const QRect visible = m.Form().VisibleMapRect();
  EXPECT_EQ(pagePoints.width() > pagePoints.height(), visible.width() > visible.height());
  const QString file = QString::fromStdString(NativeString(pdf));
#ifdef _WIN32
  GTEST_SKIP() << "poppler-utils read the PDF on Linux";
#endif
  const std::string info = ToolOutput("pdfinfo", {file});
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Title:           Светлогорск\n"), std::string::npos) << info;
  const QString size = QString("Page size:       %1 x %2 pts").arg(pagePoints.width()).arg(pagePoints.height());
  EXPECT_NE(info.find(size.toStdString()), std::string::npos) << size.toStdString() << "\n" << info;
  const std::string text = ToolOutput("pdftotext", {file, "-"});
  for (const char* shown : {"Светлогорск", "Масштаб 100%", "проспект Мира", "улица Победы", "ЦЕНТР"})
    EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
}

// With no printer installed (there is none offscreen), «Печать…» and Ctrl+P
// say so and offer to save a PDF instead; that PDF, as the «Файл» menu's
// «Сохранить в PDF…» writes it, is the printed page: one page, the city as its
// title, its texts as text.  A cancelled offer writes nothing; a PDF is put in
// place whole, never written through a link.
TEST(MapDesktop, WithoutAPrinterTheMapIsSavedAsAPdf) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this system has a printer";
  DemoMap m(kPlainCity);
  MapWindow& f = m.Form();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  struct Case {
    const char* How;
    std::function<void()> Ask;
    bool Accepted;  // the offer of a PDF, when there is one
    bool Offered;
  };
  const Case cases[] = {
      {"Печать… cancelled", [&] { f.MenuItem("PrintItem")->trigger(); }, false, true},
      {"Ctrl+P", [&] { QTest::keyClick(f.MapView(), Qt::Key_P, Qt::ControlModifier); }, true, true},
      {"Сохранить в PDF…", [&] { f.MenuItem("SavePdfItem")->trigger(); }, true, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.How);
    const fs::path pdf = m.Path() / ("map" + std::to_string(++n) + ".pdf");
    QStringList told, offeredNames;
    f.AskPdfInstead = [&](const QString& text) {
      told << text;
      return c.Accepted;
    };
    f.AskPdfPath = [&](const QString& name) {
      offeredNames << name;
      return QString::fromStdString(NativeString(pdf));
    };
    c.Ask();
    ASSERT_EQ(told.size(), c.Offered ? 1 : 0);
    if (c.Offered) EXPECT_TRUE(told[0].startsWith(U("Принтер не найден"))) << told[0].toStdString();
    EXPECT_TRUE(m.messages.empty()) << m.messages.front();
    if (!c.Accepted) {
      EXPECT_TRUE(offeredNames.isEmpty());
      EXPECT_FALSE(fs::exists(pdf));
      continue;
    }
    EXPECT_EQ(offeredNames, QStringList{U("Светлогорск 100%.pdf")});
    ASSERT_EQ(ReadBytes(pdf).rfind("%PDF-", 0), 0u);
#ifndef _WIN32  // poppler-utils read the PDF on Linux
    const QString file = QString::fromStdString(NativeString(pdf));
    const std::string info = ToolOutput("pdfinfo", {file});
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           Светлогорск\n"), std::string::npos) << info;
    const std::string text = ToolOutput("pdftotext", {file, "-"});
    for (const char* shown : {"Светлогорск", "Масштаб 100%", "проспект Мира", "улица Победы", "ЦЕНТР"})
      EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
#endif
  }
#ifndef _WIN32  // making links takes an administrator's rights on Windows
  // Saved over a link planted in the folder, the PDF takes the link's place
  // whole and the file the link led to stays as it was.
  const fs::path kept = m.Path() / "kept.txt";
  const fs::path linked = m.Path() / "linked.pdf";
  WriteBytes(kept, "keep");
  fs::create_symlink(kept, linked);
  f.AskPdfPath = [&](const QString&) { return QString::fromStdString(NativeString(linked)); };
  f.MenuItem("SavePdfItem")->trigger();
  EXPECT_TRUE(m.messages.empty()) << m.messages.front();
  EXPECT_EQ(ReadBytes(kept), "keep");
  EXPECT_FALSE(fs::is_symlink(linked));
  EXPECT_EQ(ReadBytes(linked).rfind("%PDF-", 0), 0u);
#endif
}
