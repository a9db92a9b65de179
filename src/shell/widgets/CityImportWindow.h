#pragma once
// «Добавить город из OpenStreetMap»: the settlements of an OpenStreetMap file
// (listed off the interface thread), a filter over them, the city's name, and
// the import with its step, percentage and «Отмена».  The work runs in a
// BackgroundImport; the window only maps its controls to it.  A city of the
// same name is replaced only after the user agrees; closing the window
// during the work stops it, and the window closes once it has ended.
#include <QDialog>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "shell/import/BackgroundImport.h"
#include "shell/import/SettlementRows.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class SettlementListModel;

class CityImportWindow : public QDialog {
 public:
  // Cities go into `importRoot`, one of the `listedRoots` the city list shows.
  CityImportWindow(std::vector<std::filesystem::path> listedRoots, std::filesystem::path importRoot,
                   QWidget* parent = nullptr);
  ~CityImportWindow() override;

  // Where messages go (UTF-8); unset, a message box shows them.
  std::function<void(const std::string&)> MessageSink;
  // Whether the city of that name (UTF-8) may be replaced; unset, a question box asks.
  std::function<bool(const std::string& name)> AskReplace;
  // Called with the folder's name once the city is in place, before the window closes.
  std::function<void(const std::string& cityDirName)> CityAdded;

  // Lists the settlements of `input`, then lets the user choose.
  void ListPlacesOf(const std::filesystem::path& input);
  // Stops the work, if any, and waits for it (the program is ending).
  void StopAndWait();
  bool Working() const { return work_.Running(); }

  void OnImportClicked();
  void OnCancelClicked();
  void OnFilterEdited(const QString& text);
  void OnPlaceChosen();
  void OnCityNameEdited();

  QLabel* FileLabel;
  QLabel* FilterCaption;
  QLineEdit* PlaceFilter;
  QTableView* PlaceList;
  QLabel* CityNameCaption;
  QLineEdit* CityNameField;
  QLabel* NameProblemLabel;
  QLabel* StepLabel;
  QProgressBar* ImportProgress;
  QPushButton* ImportButton;
  QPushButton* CancelButton;

  void reject() override;

 private:
  void BuildControls();
  void ConnectHandlers();
  void ShowWorking(bool working);
  void OnProgress(int step, int percent);
  void ShowStep(ImportStep step, int percent);
  void OnListed();
  void OnImported();
  const SettlementRow* ChosenRow() const;
  std::string CityName() const;
  void Report(const std::string& utf8Text);
  bool ReplaceAgreed(const std::string& name);

  std::vector<std::filesystem::path> listedRoots_;
  std::filesystem::path importRoot_;
  std::filesystem::path input_;
  BackgroundImport work_;
  SettlementListModel* model_ = nullptr;
  std::string offeredName_;  // the name last put into the field for the chosen row
  std::string importedName_;
  bool closeWhenStopped_ = false;
};
