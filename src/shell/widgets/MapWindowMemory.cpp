// The map window's memory between runs: read when the program starts, given
// back after a city's first load of the run, written whenever the window is left.
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "interaction/ViewMoves.h"
#include "shell/RememberedState.h"
#include "shell/widgets/MapWindow.h"

void MapWindow::RememberIn(QSettings* settings) {
  settings_ = settings;
  if (!settings_) return;
  remembered_ = ReadViewerSettings(*settings_);
  RestoreLayerSwitches(core_, remembered_.Layers);
  SetPanelWidths(remembered_.LeftPanelWidth, remembered_.RightPanelWidth);
  RestoreWindowPlace();
  SyncFromCore();
}

// The saved place, and the saved state over the maximised one the window was
// made with.  A window that is to open normal is first made anew: an X11
// window told, before it is first shown, to be maximised and then not opens
// maximised all the same under some window managers.
void MapWindow::RestoreWindowPlace() {
  if (!remembered_.WindowMaximised && !isVisible()) {
    setWindowState(Qt::WindowNoState);
    destroy();
  }
  std::vector<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens.push_back(screen->availableGeometry());
  if (remembered_.WindowGeometry && WindowPlaceFits(*remembered_.WindowGeometry, screens))
    setGeometry(*remembered_.WindowGeometry);
  setWindowState(remembered_.WindowMaximised ? Qt::WindowMaximized : Qt::WindowNoState);
}

// A city's remembered view comes back at its first load of the run (a load
// after "Главное меню" starts afresh, as always); the side panels with the
// first load of all, which hides the firm search.
void MapWindow::RestoreRemembered() {
  if (!settings_) return;
  if (restoredCities_.insert(core_.CurrentCity).second) {
    const auto view = remembered_.Cities.find(core_.CurrentCity);
    if (view != remembered_.Cities.end()) RestoreCityView(core_, view->second, ZoomFloor(core_, VisibleMapRect()));
  }
  if (!panelsRestored_) {
    RestorePanels(core_, remembered_);
    panelsRestored_ = true;
  }
  remembered_.LastCity = core_.CurrentCity;
  WriteViewerSettings(*settings_, remembered_);
}

void MapWindow::Remember() {
  if (!settings_) return;
  if (!core_.CurrentCity.empty()) {
    // By the point in the middle of the visible map, where it comes back.
    CityView view = CaptureCityView(core_);
    const MapPoint middle = VisibleMiddlePoint();
    view.CenterX = middle.X;
    view.CenterY = middle.Y;
    remembered_.Cities[core_.CurrentCity] = view;
  }
  remembered_.Layers = CaptureLayerSwitches(core_);
  CapturePanels(core_, remembered_);
  remembered_.LeftPanelWidth = leftPanelWidth_;
  remembered_.RightPanelWidth = rightPanelWidth_;
  remembered_.WindowMaximised = isMaximized();
  if (const QRect normal = normalGeometry(); normal.isValid()) remembered_.WindowGeometry = normal;
  WriteViewerSettings(*settings_, remembered_);
}
