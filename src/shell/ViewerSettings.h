#pragma once
// What the viewer remembers between runs, in the platform's settings file
// (QSettings: ~/.config/Tellurin/Tellurin.conf, an INI file): the last city,
// the view and the object filter of every city shown, the layer switches, the
// open side panels and their widths, the map window's place and the
// bookmarks of every city.  Reading
// checks every value on its own: a file that is missing or cannot be read,
// and any value that is not what it should be, give the values the viewer
// starts with, silently.
// This unit knows nothing of the map window; shell/RememberedState.h applies
// the values to it and takes them from it.
#include <QRect>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/Bookmarks.h"
#include "view/ViewScale.h"

class QSettings;

// Where a city was left: the map point in the middle of the picture, the scale
// and the object kind shown (-1: every kind).
struct CityView {
  int32_t CenterX = 0;
  int32_t CenterY = 0;
  float Scale = 1.0f;
  int32_t ObjectFilter = -1;
  bool operator==(const CityView&) const = default;
};

// The switches of the layers a control can hide, and "Все значки"; their
// starting values.
struct LayerSwitches {
  bool Texts = true;
  bool Objects = true;
  bool Routes = false;
  bool FoundFirms = false;
  bool AllIcons = false;
  bool ScaleBar = true;  // «Масштабная линейка»
  bool operator==(const LayerSwitches&) const = default;
};

// The panel at the left edge: the list search (at start), the routes, none.
enum class LeftPanel { ListSearch, Routes, None };

// The side panels' widths: each edge's panels are as wide as at first start
// or, dragged wider by their splitter, up to the widest believed in the file.
constexpr int kLeftPanelWidth = 210;   // the list search and the routes
constexpr int kRightPanelWidth = 220;  // the firm information and the firm search, each
constexpr int kMaxPanelWidth = 4096;

struct ViewerSettings {
  std::string LastCity;                  // directory name; empty: none
  std::map<std::string, CityView> Cities;  // by directory name
  LayerSwitches Layers;
  LeftPanel Left = LeftPanel::ListSearch;
  bool FirmSearchOpen = false;
  int LeftPanelWidth = kLeftPanelWidth;
  int RightPanelWidth = kRightPanelWidth;
  std::optional<QRect> WindowGeometry;   // the map window's normal place, client area
  bool WindowMaximised = true;
  CityBookmarks Bookmarks;               // by directory name (Bookmarks.h)
  bool operator==(const ViewerSettings&) const = default;
};

// The scale a remembered view may have: the zoom controls' range, below 0.5
// as far as a big city's zoom floor may reach (RestoreCityView raises it to
// the floor of the city loaded).
constexpr float kRememberedScaleMin = kSmallestScale;
constexpr float kRememberedScaleMax = 15.0f;

// Reads the settings; every value missing or unfit keeps its starting value
// (a city's view goes whole when any of its values is unfit).
ViewerSettings ReadViewerSettings(QSettings& settings);
// Replaces what the file holds with `values` and writes it out; a file that
// cannot be written is left as it is.
void WriteViewerSettings(QSettings& settings, const ViewerSettings& values);

// Whether a remembered window place can be used on these screens: a sensible
// size, and enough of its top on one of them to take it by its title.
bool WindowPlaceFits(const QRect& geometry, const std::vector<QRect>& screens);
