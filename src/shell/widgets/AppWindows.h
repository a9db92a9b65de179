#pragma once
// The five windows of the program, created in their fixed order (the city
// window first: it is the main window), and connected to each other.
#include "info/widgets/TForm3.h"
#include "info/widgets/TForm4.h"
#include "info/widgets/TForm5.h"
#include <vector>

class QSettings;

#include "mapdata/CityLocation.h"
#include "shell/DataRoots.h"
#include "shell/widgets/TForm1.h"
#include "shell/widgets/TForm2.h"

struct AppWindows {
  // The city window lists the cities of every data root; the map window loads
  // each from the root it was found in.
  // With `settings` the viewer remembers between runs there (TForm2::RememberIn)
  // and the city list starts at the city loaded last.
  explicit AppWindows(const std::vector<fs::path>& dataRoots = StandardDataRoots(), QSettings* settings = nullptr);
  AppWindows(const AppWindows&) = delete;
  AppWindows& operator=(const AppWindows&) = delete;

  TForm1 Form1;
  TForm2 Form2;
  TForm3 Form3;  // picture, not modal
  TForm4 Form4;  // about, modal
  TForm5 Form5;  // help, modal
};
