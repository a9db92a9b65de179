// What the viewer remembers between runs: written, read back, every unfit
// value passed over on its own, and given back to the map state.
#include "shell/ViewerSettings.h"

#include <QSettings>
#include <gtest/gtest.h>

#include "mapdata/Cp1251.h"
#include "mapdata/NativeName.h"
#include "render/MapLayers.h"
#include "shell/RecordingHost.h"
#include "shell/RememberedState.h"
#include "state/MapCore.h"
#include "support/TempDir.h"

namespace {

ViewerSettings ReadFile(const fs::path& file) {
  QSettings settings(QString::fromStdString(NativeString(file)), QSettings::IniFormat);
  return ReadViewerSettings(settings);
}

TEST(ViewerSettings, WrittenValuesAreReadBack) {
  TempDir dir;
  const fs::path file = dir.Path() / "Tellurin.conf";
  ViewerSettings values;
  values.LastCity = "Озёрск";
  values.Cities["Озёрск"] = CityView{1200, -35, 2.3f, 4};
  values.Cities["Светлогорск"] = CityView{500, 600, 15.0f, -1};
  values.Layers = LayerSwitches{false, true, true, true, true, false};
  values.Left = LeftPanel::Routes;
  values.FirmSearchOpen = true;
  values.LeftPanelWidth = 333;
  values.RightPanelWidth = 444;
  values.WindowGeometry = QRect(-20, 30, 800, 600);
  values.WindowMaximised = false;
  values.Bookmarks["Озёрск"] = {{"Пристань", 1200, -30, 3.5f}, {"Рынок", 5, 6, 0.25f}};
  {
    QSettings settings(QString::fromStdString(NativeString(file)), QSettings::IniFormat);
    WriteViewerSettings(settings, values);
  }
  EXPECT_EQ(ReadFile(file), values);
  EXPECT_NE(ReadBytes(file).find("LastCity=Озёрск"), std::string::npos) << ReadBytes(file);
  EXPECT_EQ(ReadFile(dir.Path() / "missing.conf"), ViewerSettings{});
}

// Each value that is not what it should be keeps its starting value; the
// others are taken.  A file that cannot be read at all gives the starting values.
TEST(ViewerSettings, UnfitValuesArePassedOverOneByOne) {
  TempDir dir;
  const fs::path file = dir.Path() / "Tellurin.conf";
  WriteBytes(file,
             "[General]\nLastCity=Town\n"
             "[Cities]\nsize=999999999\n1\\Name=Town\n1\\CenterX=10\n1\\CenterY=20\n1\\Scale=1.5\n1\\ObjectFilter=2\n"
             "2\\Name=Far\n2\\CenterX=10\n2\\CenterY=20\n2\\Scale=40\n2\\ObjectFilter=-1\n"
             "3\\Name=Odd\n3\\CenterX=ten\n3\\CenterY=20\n3\\Scale=1\n3\\ObjectFilter=-1\n"
             "4\\Name=Kind\n4\\CenterX=1\n4\\CenterY=2\n4\\Scale=1\n4\\ObjectFilter=-7\n"
             "5\\Name=Big\n5\\CenterX=1\n5\\CenterY=2\n5\\Scale=0.0625\n5\\ObjectFilter=-1\n"
             "6\\Name=Flat\n6\\CenterX=1\n6\\CenterY=2\n6\\Scale=0\n6\\ObjectFilter=-1\n"
             "[Layers]\nTexts=banana\nObjects=false\nRoutes=1\n"
             "[Panels]\nLeft=middle\nFirmSearch=true\nLeftWidth=150\nRightWidth=300\n"
             "[Window]\nMaximised=false\nX=0\nY=0\nWidth=5\nHeight=600\n");
  ViewerSettings expected;
  expected.LastCity = "Town";
  expected.Cities["Town"] = CityView{10, 20, 1.5f, 2};
  expected.Cities["Big"] = CityView{1, 2, 0.0625f, -1};  // below 50%: a big city's zoom floor may reach it
  expected.Layers.Objects = false;
  expected.FirmSearchOpen = true;
  expected.RightPanelWidth = 300;  // the left one narrower than at first start
  expected.WindowMaximised = false;
  EXPECT_EQ(ReadFile(file), expected);

  WriteBytes(file, std::string("\x00\xff[\x01=\n\xfe\xfe", 8));
  EXPECT_EQ(ReadFile(file), ViewerSettings{});
  EXPECT_EQ(ReadFile(dir.Path()), ViewerSettings{});  // a folder where the file should be
}

TEST(ViewerSettings, WindowPlaceMustBeReachableOnAScreen) {
  const std::vector<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
  struct Case {
    QRect Geometry;
    bool Fits;
  };
  for (const Case& c : {Case{QRect(100, 100, 800, 600), true}, Case{QRect(3000, 900, 800, 600), true},
                        Case{QRect(-700, 10, 800, 600), true}, Case{QRect(100, 1070, 800, 600), false},
                        Case{QRect(5000, 100, 800, 600), false}, Case{QRect(100, 100, 150, 600), false}})
    EXPECT_EQ(WindowPlaceFits(c.Geometry, screens), c.Fits)
        << c.Geometry.x() << "," << c.Geometry.y() << " " << c.Geometry.width() << "x" << c.Geometry.height();
}

// A remembered view comes back where it fits the loaded city; the object
// kind only when the city has it.
TEST(RememberedState, CityViewComesBackWhereItFits) {
  RecordingHost host(400, 300);
  MapCore core(host, "/nonexistent-data-root");
  core.View.ScreenWidth = 400;
  core.View.ScreenHeight = 300;
  core.Extents = MapExtents{0, 0, 2000, 1500};
  core.Tables.ObjectComboBox = {{cp1251::FromUtf8("Школы"), 0}, {cp1251::FromUtf8("Аптеки"), 1},
                                {cp1251::FromUtf8("Все"), -1}};

  ASSERT_TRUE(RestoreCityView(core, CityView{1200, 700, 2.5f, 1}, kTrackBarMinScale));
  EXPECT_EQ(core.View.Scale, 2.5f);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 5);
  EXPECT_EQ(core.Ui.ZoomEditText, "250%");
  EXPECT_EQ(core.Flags.ObjectFilter, 1);
  EXPECT_EQ(core.Ui.ObjectComboBoxText, cp1251::FromUtf8("Аптеки"));
  EXPECT_EQ(CaptureCityView(core), (CityView{1200, 700, 2.5f, 1}));

  ASSERT_TRUE(RestoreCityView(core, CityView{10, 10, 1.0f, 2}, kTrackBarMinScale));  // 2 is the entry "Все"
  EXPECT_EQ(core.Flags.ObjectFilter, -1);
  EXPECT_EQ(core.Ui.ObjectComboBoxText, cp1251::FromUtf8("Все"));
  const ViewState before = core.View;
  EXPECT_FALSE(RestoreCityView(core, CityView{2001, 10, 1.0f, -1}, kTrackBarMinScale));
  EXPECT_EQ(core.View.OffsetX, before.OffsetX);
}

// A view below 50%, left on a city too big for it, comes back down to the
// floor of the city in the window, and no lower; the track bar at its first step.
TEST(RememberedState, AScaleBelowTheFirstStepComesBackDownToTheFloor) {
  RecordingHost host(400, 300);
  MapCore core(host, "/nonexistent-data-root");
  core.View.ScreenWidth = 400;
  core.View.ScreenHeight = 300;
  WidenMapExtents(core.Extents, 0, 0, 12500, 9000);
  struct Case {
    float Remembered, Floor, Shown;
  };
  for (const Case& c : {Case{0.125f, 0.03f, 0.125f}, Case{0.01f, 0.03f, 0.03f}, Case{0.125f, 0.5f, 0.5f}}) {
    ASSERT_TRUE(RestoreCityView(core, CityView{6000, 4000, c.Remembered, -1}, c.Floor));
    EXPECT_EQ(core.View.Scale, c.Shown) << c.Remembered << " " << c.Floor;
    EXPECT_EQ(core.Ui.ZoomSliderPosition, 1) << c.Remembered;
  }
}

}  // namespace

// Every layer a control switches is remembered: turned from how it starts,
// written, read back and given to a new window, it comes back turned.  A layer
// left out of the remembered switches (LayerSwitches, kSwitchedLayers) is named.
TEST(RememberedState, EverySwitchedLayerComesBackAsItWasLeft) {
  TempDir dir;
  const fs::path file = dir.Path() / "Tellurin.conf";
  for (const MapLayer* layer : MapLayers()) {
    if (layer->AlwaysShown) continue;
    RecordingHost host(400, 300);
    MapCore left(host, "/nonexistent-data-root");
    SetLayerShown(left.Flags, *layer, !layer->ShownAtStart);
    ViewerSettings values;
    values.Layers = CaptureLayerSwitches(left);
    {
      QSettings settings(QString::fromStdString(NativeString(file)), QSettings::IniFormat);
      WriteViewerSettings(settings, values);
    }
    MapCore next(host, "/nonexistent-data-root");
    RestoreLayerSwitches(next, ReadFile(file).Layers);
    EXPECT_EQ(LayerShown(next.Flags, *layer), !layer->ShownAtStart)
        << layer->Name << ": its switch is not remembered (LayerSwitches, kSwitchedLayers)";
  }
}
