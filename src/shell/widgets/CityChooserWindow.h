#pragma once
// The city-selection window, the application's main window: the list of cities
// found under the data root, the chosen city's title, description and picture,
// and the progress panel that covers the window while a city loads.
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "mapdata/CityLocation.h"
#include "shell/DataRoots.h"
#include "shell/ProgressPacing.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QToolButton;
class QFrame;
class MapWindow;
struct LoadProgress;

class CityChooserWindow : public QWidget {
 public:
  // Lists the cities of the data roots, the first of a name winning.
  explicit CityChooserWindow(std::vector<fs::path> dataRoots = StandardDataRoots(), QWidget* parent = nullptr);
  explicit CityChooserWindow(const fs::path& dataRoot, QWidget* parent = nullptr);

  void SetMapWindow(MapWindow* mapWindow) { mapWindow_ = mapWindow; }
  // Where messages go; unset, a modal message box shows them (UTF-8).
  std::function<void(const std::string&)> MessageSink;
  // Ends the program (closing this window); unset, the event loop quits.
  std::function<void()> EndProgram;

  void ListCities();
  void ShowCity(int index);
  void ListViewSelectItem(int index, bool selected);
  void LoadClick();
  // A double click or Enter on a city in the list loads it as Load does.
  void ListViewDblClick();
  void ExitClick();
  // Shows and highlights the listed city of that directory name; a name not
  // in the list changes nothing.
  void SelectCity(const std::string& cityDirName);
  // The map window's "Главное меню": the progress panel goes back to its own
  // place and hides; the caller then shows this window again.
  void ReturnFromMap();
  // Shows the load progress and repaints the panel at once.
  void ShowProgress(const LoadProgress& progress);

  // Directory name of the city last shown and the data root it lies in;
  // handed to the map window.
  std::string CityDirName;
  fs::path CityDataRoot;

  QLabel* CityListCaption;
  QListWidget* ListView;
  QLabel* CityNameLabel;
  QPlainTextEdit* MemoCityInfo;
  QLabel* ImageCity;
  QToolButton* Load;
  QToolButton* Exit;
  QFrame* PanelStartImage;
  QLabel* ImageStart;
  QLabel* LoadingCaption;
  QLabel* LoadLabel;
  QProgressBar* ProgressBar2;
  QProgressBar* ProgressBar1;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildProgressPanel();
  void FormCreate();
  void Report(const std::string& utf8Text);

  std::vector<fs::path> dataRoots_;
  MapWindow* mapWindow_ = nullptr;
  std::string cityTitle_;  // the shown title as read from about.inf (Windows-1251 bytes)
  ProgressPacing progressPacing_;  // repaints of the progress panel during a load
};
