#pragma once
// The city-selection window, the application's main window: the list of cities
// found under the data root, the chosen city's title, description and picture,
// and the progress panel that covers the window while a city loads.
#include <QPointer>
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
class CityImportWindow;
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
  // The OpenStreetMap file to add a city from (empty: none); unset, a file dialog asks.
  std::function<QString()> AskOsmFile;
  // Whether a city of that name (UTF-8) may be replaced; unset, a question box asks.
  std::function<bool(const std::string& name)> AskReplace;
  // Where cities added from OpenStreetMap go: the user's own data root when
  // listed (as for tellurin-cli import-osm), else the first root listed.
  fs::path ImportRoot;

  // Lists the cities of the data roots again, keeping the city shown (and
  // its selection) where it is still listed.
  void ListCities();
  void ShowCity(int index);
  void OnCityRowSelected(int index, bool selected);
  void OnLoadClicked();
  // A double click or Enter on a city in the list loads it as Load does.
  void OnCityRowActivated();
  void OnExitClicked();
  // «Добавить город из OpenStreetMap…»: asks for the file and opens the
  // import window over `owner` (this window or the map window); the city
  // added is listed and loaded.
  void OnAddCityClicked() { AddCityFrom(this); }
  void AddCityFrom(QWidget* owner);
  // The same with the file already known (the viewer started with an
  // OpenStreetMap file): no dialog asks for it.
  void AddCityFromFile(QWidget* owner, const QString& file);
  // The import window while it is open, else nullptr.
  CityImportWindow* ImportWindow() const;
  // Shows and highlights the listed city of that directory name; a name not
  // in the list changes nothing.
  void SelectCity(const std::string& cityDirName);
  // The map window's "Главное меню": the progress panel goes back to its own
  // place and hides; the caller then shows this window again.
  void ReturnFromMap();
  // A message, through MessageSink, else in a box over this window (UTF-8).
  void Report(const std::string& utf8Text);
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
  QToolButton* AddCityButton;
  QToolButton* Load;
  QToolButton* Exit;
  QFrame* PanelStartImage;
  QLabel* ImageStart;
  QLabel* LoadingCaption;
  QLabel* LoadLabel;
  QProgressBar* CityProgress;
  QProgressBar* StepProgress;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildProgressPanel();
  void ShowNoCity();
  int ListRowOf(const std::string& cityDirName) const;
  QString AskOsmFileDialog(QWidget* owner);
  void OpenAddedCity(const std::string& cityDirName);

  std::vector<fs::path> dataRoots_;
  MapWindow* mapWindow_ = nullptr;
  std::string cityTitle_;  // the shown title as read from about.inf (Windows-1251 bytes)
  ProgressPacing progressPacing_;  // repaints of the progress panel during a load
  QPointer<CityImportWindow> importWindow_;
};
