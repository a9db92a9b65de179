#pragma once
// The map window: menu, tool bar, side panels, status bar and the map area.
// It owns the map state (MapCore), serves as its host (message boxes, repaints,
// sizes) and mirrors the state into its controls after every handler.
#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "mapdata/CityLocation.h"
#include "route/TravelMode.h"
#include "shell/PanelFit.h"
#include "shell/ViewerSettings.h"
#include "state/MapCore.h"
#include "state/MapHost.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPainter;
class QPrinter;
class QSettings;
class QSlider;
class QStatusBar;
class QTimer;
class QToolButton;
class BookmarksMenu;
class CtrlKeyWatcher;
class FirmSearchPanel;
class InfoPanelWidget;
class ListSearchPanel;
class MapContextMenu;
class MapArea;
class PanelEdge;
class RoutesPanel;
class CityChooserWindow;
class DirectionsPanel;
class DirectionsSession;

class MapWindow : public QMainWindow, public MapHost {
 public:
  explicit MapWindow(fs::path dataRoot = DefaultDataRoot(), QWidget* parent = nullptr);
  ~MapWindow() override;

  MapCore& Core() { return core_; }
  void SetCityWindow(CityChooserWindow* cityChooser) { cityChooser_ = cityChooser; }

  // Where messages go; unset, a modal message box shows them (UTF-8).
  std::function<void(const std::string&)> MessageSink;
  // Ends the program (closing the map window); unset, the event loop quits.
  std::function<void()> EndProgram;
  // The auxiliary windows: picture window (not modal), about and help (modal).
  std::function<void(const std::string& path)> ShowPictureWindow;
  // The city shown is left («Главное меню», or another city loads): the
  // windows that show something of it close.
  std::function<void()> CityLeft;
  std::function<void()> ShowAboutWindow;
  std::function<void()> ShowHelpWindow;
  // The file a picture of the map is saved to, with its extension; empty when
  // the user gave none.  Unset, a file dialog asks.
  std::function<QString(const QString& offeredName)> AskPicturePath;
  // Sets up the printer; false when the user cancels.  Unset, the print
  // dialog asks.
  std::function<bool(QPrinter& printer)> AskPrinter;
  // Whether a printer is installed.  Unset, the system's list of printers tells.
  std::function<bool()> PrinterInstalled;
  // Told that no printer was found (the text), whether to save the map as a
  // PDF instead.  Unset, a message box asks.
  std::function<bool(const QString& text)> AskPdfInstead;
  // The PDF file the map is saved to; empty when the user cancels.  Unset, a
  // file dialog asks.
  std::function<QString(const QString& offeredName)> AskPdfPath;
  // A bookmark's name, `offered` filled in; none when the user cancels.
  // Unset, a dialog asks.
  std::function<std::optional<QString>(const QString& title, const QString& offered)> AskBookmarkName;

  // Remembers between runs in `settings` (null: nothing is remembered): reads
  // what it holds now (the layer switches and the window's place take effect
  // at once, a city's view and the side panels after its first load of the
  // run) and writes the state back whenever the map window is left.
  void RememberIn(QSettings* settings);
  // The city the settings name as the last one loaded (empty: none).
  const std::string& RememberedCity() const { return remembered_.LastCity; }

  // Loads the city (directory name, title as Windows-1251 bytes) and brings the
  // controls into line.  After an error in the final drawing the message has
  // been shown, the window closes and false is returned.
  bool LoadCity(const std::string& city, const std::string& title);
  // The same for a city of another data root: the map state follows it there.
  bool LoadCity(const CityLocation& city, const std::string& title);
  // Mirrors the map state into the controls, without running their handlers.
  void SyncFromCore();

  // MapHost
  void ShowMessage(const std::string& utf8Text) override;
  void RepaintCityWindow() override;
  void ProcessPendingEvents() override;
  void PaintMapWindow() override;
  // The part of the map area that shows the map, in its pixels: less the tool
  // bar and the side panels that are shown.
  QRect VisibleMapRect() const override;
  // The same for a map area of size `area`, the panels as they stand at its edges.
  QRect VisibleMapRectOfSize(QSize area) const;
  int ScreenPixelWidth() const override;
  int ScreenPixelHeight() const override;

  // Menu and tool bar handlers.
  void OnMainMenuClicked();
  void OnAddCityClicked();  // "Добавить город из OpenStreetMap…": the city window's import
  void OnExitClicked();
  void OnTextItemToggled(bool checked);
  void OnShowObjectsItemToggled(bool checked);
  void OnClickSelectItemToggled(bool checked);
  void OnZoomOnSelectItemToggled(bool checked);
  void OnAllIconsItemToggled(bool checked);
  void OnScaleBarItemToggled(bool checked);
  void OnShowFirmInfoItemToggled(bool checked);
  void OnListSearchItemToggled(bool checked);
  void OnFirmSearchItemToggled(bool checked);
  void OnRoutesItemToggled(bool checked);
  void OnAllRoutesItemToggled(bool checked);
  void OnAboutClicked();
  void OnHelpClicked();
  // «Закладки» (MapWindowBookmarks.cpp): add the view under a name, show a
  // bookmark's view, rename, delete.
  void OnAddBookmarkClicked();
  void ChooseBookmark(size_t index);
  void OnRenameBookmarkClicked(size_t index);
  void OnDeleteBookmarkClicked(size_t index);
  // A view of the loaded city comes to the middle of the visible map as a
  // remembered view does (RestoreCityView); false, nothing changed, for a
  // centre outside the city's map extents.
  bool ShowView(const CityView& view);
  void OnWholeCityClicked();   // "Весь город": menu item, tool button (Home on the map)
  void OnSaveImageClicked();   // "Сохранить изображение…"
  void OnPrintClicked();       // "Печать…"
  void OnSavePdfClicked();     // "Сохранить в PDF…"
  void OnLabelsButtonClicked();
  void OnObjectsButtonClicked();
  void OnListPanelButtonClicked();
  void OnFirmPanelButtonClicked();
  void OnOpenListPanelClicked();
  void OnListSearchCloseClicked();
  void OnRoutesCloseClicked();
  void OnFirmSearchCloseClicked();
  void OnInfoCloseClicked();
  void OnListSearchClicked();
  void OnFirmSearchClicked();
  void OnKeywordSearchClicked();
  void OnAddKeywordClicked();
  void OnObjectKindChosen(int index);
  void OnKeywordChosen(int index);
  void OnShowFoundFirmsClicked();
  void OnZoomSliderMoved(int position);
  void OnZoomEntered();
  void OnZoomPanelClicked();
  void OnToolBarResized();
  void OnListKeyEntered();
  void OnFirmKeyEntered();
  void OnFoundRowClicked();
  void OnFoundRowDoubleClicked();
  void OnFoundFirmClicked();
  void OnFoundFirmDoubleClicked();
  void OnRouteRowClicked();
  void OnRouteRowDoubleClicked();
  void OnFirmPictureClicked(int k);  // k: 0 .. 2, the buttons FirmPic1 .. FirmPic3
  void OnHintPauseElapsed();

  // Map area.
  void OnMapPressed(Qt::MouseButton button, int x, int y);
  void OnMapMouseMoved(int x, int y);
  void OnMapReleased(Qt::MouseButton button, int x, int y);
  void MouseLeftMap();
  void OnCtrlPressed();
  void OnCtrlReleased();
  void OnMapWheelTurned(int steps, int x, int y);
  bool OnMapDoubleClicked(Qt::MouseButton button, int x, int y);
  bool OnMapKeyPressed(int key, Qt::KeyboardModifiers modifiers);

  // Directions (MapWindowDirections.cpp): an end chosen in the map's context
  // menu, «Как добраться» for the selected building, firm or object, the
  // panel's mode, step and clear button (Esc on the map too).
  void OnRouteEndChosen(MapPoint at, bool fromHere);
  void OnRouteToSelectionClicked();
  void OnTravelModeChosen(TravelMode mode);
  void OnRouteStepChosen(int row);
  void OnClearRouteClicked();
  DirectionsPanel* RoutePanel = nullptr;

  // The visible map as the window shows it (highlights, no hover hint).
  QImage VisibleMapPicture();
  // One page: the visible map, the city's title and its attribution.  When
  // the page cannot be begun, `failure` with the reason for %1 is shown and
  // false returned.
  bool PrintMap(QPrinter& printer, const QString& failure);
  bool WritePdf(const QString& path);
  // The city as the document's title, the page turned as the map is.
  void SetUpMapPage(QPrinter& printer) const;
  // False when the system has no printer (PrinterInstalled, else its list).
  bool PrinterFound() const;
  // Says that no printer was found and offers to save the map as a PDF.
  void OfferPdfWithoutPrinter();

  // Controls, for the city window and the tests.
  MapArea* MapView() const { return mapArea_; }
  MapContextMenu* ContextMenu() const { return contextMenu_; }
  BookmarksMenu* Bookmarks() const { return bookmarksMenu_; }
  // The menu's action of that object name (AddBookmarkItem too), for the
  // tests and automation, which know the actions by their object names.
  QAction* MenuItem(const char* name) const;
  // The menu's actions (MapWindowActions.cpp), placed in the menus by BuildMenu.
  QAction* mainMenuAction = nullptr;
  QAction* addCityAction = nullptr;
  QAction* saveImageAction = nullptr;
  QAction* printAction = nullptr;
  QAction* savePdfAction = nullptr;
  QAction* exitAction = nullptr;
  QAction* showObjectsAction = nullptr;
  QAction* clickSelectAction = nullptr;
  QAction* zoomOnSelectAction = nullptr;
  QAction* showFirmInfoAction = nullptr;
  QAction* labelsAction = nullptr;
  QAction* allIconsAction = nullptr;
  QAction* scaleBarAction = nullptr;
  QAction* routesPanelAction = nullptr;
  QAction* allRoutesAction = nullptr;
  QAction* listSearchAction = nullptr;
  QAction* firmSearchAction = nullptr;
  QAction* wholeCityAction = nullptr;
  QAction* routeToSelectionAction = nullptr;
  QAction* helpAction = nullptr;
  QAction* aboutAction = nullptr;
  QFrame* ToolBar = nullptr;
  QToolButton* LabelsButton = nullptr;
  QToolButton* ObjectsButton = nullptr;
  QComboBox* ObjectComboBox = nullptr;
  QToolButton* ListPanelButton = nullptr;
  QToolButton* FirmPanelButton = nullptr;
  QComboBox* KeywordBox = nullptr;
  QToolButton* KeywordSearchButton = nullptr;
  QToolButton* AddKeywordButton = nullptr;
  QFrame* WholeCityPanel = nullptr;
  QToolButton* WholeCityButton = nullptr;
  QFrame* ZoomPanel = nullptr;
  QLabel* ZoomCaption = nullptr;
  QSlider* ZoomSlider = nullptr;
  QLineEdit* ZoomEdit = nullptr;
  QWidget* PanelLeft = nullptr;
  ListSearchPanel* PanelSearch = nullptr;
  RoutesPanel* PanelPath = nullptr;
  PanelEdge* LeftSplitter = nullptr;
  QWidget* PanelRight = nullptr;
  PanelEdge* RightSplitter = nullptr;
  InfoPanelWidget* InfoPanel = nullptr;
  FirmSearchPanel* FirmSearch = nullptr;
  QFrame* ListPanelOpener = nullptr;
  QToolButton* OpenListPanelButton = nullptr;
  QStatusBar* MapStatusBar = nullptr;
  QLabel* StatusPanel[3] = {nullptr, nullptr, nullptr};
  QLabel* MeasurePanel = nullptr;
  QTimer* HintTimer = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // One action's facts: member, object name, caption, shortcut, handler, and
  // the state its tick and greying follow (MapWindowActions.cpp).
  struct ActionEntry;
  static const std::vector<ActionEntry>& ActionTable();
  // Makes and connects every action of the table; SyncActions keeps them in step.
  void CreateActions();
  void SyncActions();
  void BuildMenu();
  void BuildToolBar(QWidget* client);
  void BuildPanels(QWidget* client);
  void BuildStatusBar();
  void BuildDirections();
  // Why the loaded city has no directions ("" when it has), its road graph
  // read on the first call after a load; a damaged file's message is shown
  // then, once.
  QString DirectionsUnavailable();
  // The panel shows the session (hidden while no end is chosen), the map its route.
  void ShowDirections();
  // «Как добраться» is enabled, its hint saying why not, as the selection and
  // the city's road graph allow.
  void SyncRouteToSelectionItem(QAction& action);
  // The route's line over the map (without one, the ends chosen), `shift` from the
  // picture's pixels to the device's.
  void DrawRoute(QPainter& painter, QPoint shift) const;
  // The width of the left edge's panels and of each right edge panel, as the
  // user wants them; they are shown narrower where the window is too small.
  void SetPanelWidths(int left, int right);
  // The shown panels take their wanted widths where the map keeps kMapRoom
  // pixels, else give way (PanelFit.h).
  void FitPanelsToMap();
  // The map area took a new size: the panels fit it, and the map point in
  // the middle of the visible map stays in its middle.
  void MapAreaResized(QSize before);
  // A city's view as loaded or given back comes to the middle of the visible
  // map, where a new size of the window keeps it.
  void CentreViewInVisibleMap();
  // The map point in the middle of the visible map, which a city's view is
  // remembered by.
  MapPoint VisibleMiddlePoint() const;
  int FittedPanelWidth(int wanted, int least, const QWidget* otherSide, int count = 1) const;
  int RightPanelsShown() const;
  void ConnectHandlers();
  void ConnectMapArea();
  void WatchCtrlKey();
  void CtrlKeyChanged(bool down);
  // Runs a handler that calls the map logic: an exception is shown as a
  // message naming `action`; either way the controls follow the state after.
  template <class Handler>
  void RunHandler(const QString& action, Handler&& handler);
  // RunHandler for the handlers of files that do not see its template.
  void RunCommand(const QString& action, const std::function<void()>& command);
  void ShowFailure(const std::string& utf8Text);
  void PaintMap(QPainter& painter);
  void QuitProgram();
  void AfterHandler() { SyncFromCore(); }

  void SyncToolBar();
  void SyncPanels();
  void SyncLists();
  void SyncSearchFields();
  void SyncInfoPanel();
  void SyncStatusBar();
  void SyncObjectComboBox();
  void SyncKeywords();
  void SyncHintTimer();

  QString AskPicturePathDialog(const QString& offeredName);
  bool AskPrinterDialog(QPrinter& printer);
  bool AskPdfInsteadBox(const QString& text);
  QString AskPdfPathDialog(const QString& offeredName);
  void RestoreRemembered();
  void RestoreWindowPlace();
  void Remember();
  void BuildBookmarksMenu(QMenuBar* bar);
  std::vector<Bookmark>& CityBookmarkList();
  void ShowCityBookmarks();
  void BookmarksChanged();
  std::optional<QString> AskName(const QString& title, const QString& offered);
  std::optional<QString> AskBookmarkNameDialog(const QString& title, const QString& offered);

  MapCore core_;
  CityChooserWindow* cityChooser_ = nullptr;
  MapArea* mapArea_ = nullptr;
  int leftPanelWidth_ = kLeftPanelWidth;
  int rightPanelWidth_ = kRightPanelWidth;
  SidePanelWidths shownPanels_{kLeftPanelWidth, kRightPanelWidth};
  MapContextMenu* contextMenu_ = nullptr;
  BookmarksMenu* bookmarksMenu_ = nullptr;
  std::unique_ptr<DirectionsSession> directions_;  // the loaded city's
  CtrlKeyWatcher* ctrlWatcher_ = nullptr;
  QMenu* mapMenu_ = nullptr;  // «Карта»: «Как добраться» is checked as it opens

  std::vector<std::string> shownKeywords_;
  std::vector<std::string> shownMemo_;
  // The search keys the fields were last set to: a field is rewritten only
  // when its list was filled for another key, never while the user types.
  std::string shownListKey_, shownFirmKey_;
  std::vector<std::pair<std::string, int>> shownObjectKinds_;
  int loadGeneration_ = 0;  // grows with every city load
  int shownObjectGeneration_ = -1;
  std::string shownObjectText_;
  qint64 shownInfoImageKey_ = 0;
  uint64_t shownZoomWrites_ = UINT64_MAX;
  bool showingFailure_ = false;  // a failure message is open
  bool paintFailed_ = false;     // the last paint failed (and was reported)

  QSettings* settings_ = nullptr;
  ViewerSettings remembered_;
  std::set<std::string> restoredCities_;  // cities whose remembered view was given back this run
  bool panelsRestored_ = false;
  QString pictureFolder_;  // where the last picture was saved this run
};
