#pragma once
// The five windows of the program, created in their fixed order (the city
// window first: it is the main window), and connected to each other.
#include "info/widgets/FirmPictureWindow.h"
#include "info/widgets/AboutWindow.h"
#include "info/widgets/HelpWindow.h"
#include <vector>

class QSettings;

#include "mapdata/CityLocation.h"
#include "shell/DataRoots.h"
#include "shell/widgets/CityChooserWindow.h"
#include "shell/widgets/MapWindow.h"

struct AppWindows {
  // The city window lists the cities of every data root; the map window loads
  // each from the root it was found in.
  // With `settings` the viewer remembers between runs there (MapWindow::RememberIn)
  // and the city list starts at the city loaded last.
  explicit AppWindows(const std::vector<fs::path>& dataRoots = StandardDataRoots(), QSettings* settings = nullptr);
  AppWindows(const AppWindows&) = delete;
  AppWindows& operator=(const AppWindows&) = delete;

  // The program started with a geo: URI (GeoLinkStart.cpp): the city that
  // holds the point (the one used last first) opens centred on it, at the
  // URI's zoom level when it gives one; false, with a message over the city
  // window, for a URI that does not read or a point no city holds.
  bool OpenGeoLink(const std::string& uri);
  // The program started with an OpenStreetMap file (a path, or a file: URL as
  // a desktop may hand it over; OsmFileStart.cpp): the import window opens on
  // it over the city window, as «Добавить город из OpenStreetMap…» after the
  // file was chosen.
  void OpenOsmFile(const QString& argument);

  std::vector<fs::path> DataRoots;

  CityChooserWindow CityChooser;
  MapWindow Map;
  FirmPictureWindow FirmPicture;  // picture, not modal
  AboutWindow About;  // about, modal
  HelpWindow Help;  // help, modal
};
