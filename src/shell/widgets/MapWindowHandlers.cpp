// The map window's handlers: each changes the map state through the core
// operations and ends by mirroring the state into the controls.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "info/InfoPanel.h"
#include "info/Selection.h"
#include "interaction/HoverHint.h"
#include "interaction/LabelHighlight.h"
#include "interaction/LayerToggles.h"
#include "interaction/MapKeys.h"
#include "interaction/Measuring.h"
#include "interaction/MouseControl.h"
#include "interaction/ObjectFilter.h"
#include "interaction/ViewControl.h"
#include "interaction/ViewMoves.h"
#include "render/ViewTransform.h"
#include "route/DirectionsSession.h"
#include "search/FirmSearch.h"
#include "search/Keywords.h"
#include "search/ListSearch.h"
#include "shell/LoadCity.h"
#include "shell/PanelPairs.h"
#include "shell/widgets/CityChooserWindow.h"
#include "shell/widgets/CtrlKeyWatcher.h"
#include "shell/widgets/HandlerGuard.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapContextMenu.h"
#include "shell/widgets/MapWindow.h"
#include "shell/widgets/SidePanels.h"
#include "shell/widgets/WidgetKit.h"
#include "view/PaintMapArea.h"
#include "view/PictureRatio.h"
#include "view/RedrawView.h"
#include "view/ViewScale.h"

void MapWindow::ConnectHandlers() {
  // Every handler runs guarded, named after the control that sent its signal,
  // and is followed by the mirror of the state into the controls.  The menu's
  // actions are connected where they are made (MapWindowActions.cpp).
  auto on = [this](auto&& handler) {
    return [this, handler](auto&&... args) { RunHandler(ActionName(sender()), [&] { handler(args...); }); };
  };
  connect(LabelsButton, &QToolButton::clicked, this, on([this](bool) { OnLabelsButtonClicked(); }));
  connect(ObjectsButton, &QToolButton::clicked, this, on([this](bool) { OnObjectsButtonClicked(); }));
  connect(ListPanelButton, &QToolButton::clicked, this, on([this](bool) { OnListPanelButtonClicked(); }));
  connect(FirmPanelButton, &QToolButton::clicked, this, on([this](bool) { OnFirmPanelButtonClicked(); }));
  connect(OpenListPanelButton, &QToolButton::clicked, this, on([this](bool) { OnOpenListPanelClicked(); }));
  connect(KeywordSearchButton, &QToolButton::clicked, this, on([this](bool) { OnKeywordSearchClicked(); }));
  connect(AddKeywordButton, &QToolButton::clicked, this, on([this](bool) { OnAddKeywordClicked(); }));
  connect(WholeCityButton, &QToolButton::clicked, this, on([this](bool) { OnWholeCityClicked(); }));
  connect(ObjectComboBox, &QComboBox::activated, this, on([this](int i) { OnObjectKindChosen(i); }));
  connect(KeywordBox, &QComboBox::activated, this, on([this](int i) { OnKeywordChosen(i); }));
  connect(ZoomSlider, &QSlider::valueChanged, this, on([this](int p) { OnZoomSliderMoved(p); }));
  connect(ZoomEdit, &QLineEdit::returnPressed, this, on([this] { OnZoomEntered(); }));

  connect(PanelSearch->CloseButton, &QToolButton::clicked, this, on([this](bool) { OnListSearchCloseClicked(); }));
  connect(PanelSearch->SearchButton, &QToolButton::clicked, this, on([this](bool) { OnListSearchClicked(); }));
  connect(PanelSearch->KeyField, &QLineEdit::returnPressed, this, on([this] { OnListKeyEntered(); }));
  connect(PanelSearch->SearchListView, &QTableView::clicked, this,
          on([this](const QModelIndex&) { OnFoundRowClicked(); }));
  connect(PanelSearch->SearchListView, &QTableView::doubleClicked, this,
          on([this](const QModelIndex&) { OnFoundRowDoubleClicked(); }));

  connect(FirmSearch->CloseButton, &QToolButton::clicked, this, on([this](bool) { OnFirmSearchCloseClicked(); }));
  connect(FirmSearch->SearchButton, &QToolButton::clicked, this, on([this](bool) { OnFirmSearchClicked(); }));
  connect(FirmSearch->KeyField, &QLineEdit::returnPressed, this, on([this] { OnFirmKeyEntered(); }));
  connect(FirmSearch->ByNameBox, &QCheckBox::toggled, this, [this](bool c) { core_.Search.SearchFirmNames = c; });
  connect(FirmSearch->ByAddressBox, &QCheckBox::toggled, this, [this](bool c) { core_.Search.SearchFirmAddresses = c; });
  connect(FirmSearch->ByKeywordBox, &QCheckBox::toggled, this, [this](bool c) { core_.Search.SearchFirmKeywords = c; });
  connect(FirmSearch->ShowFoundBox, &QCheckBox::clicked, this, on([this](bool) { OnShowFoundFirmsClicked(); }));
  connect(FirmSearch->SearchFirmListView, &QTableView::clicked, this,
          on([this](const QModelIndex&) { OnFoundFirmClicked(); }));
  connect(FirmSearch->SearchFirmListView, &QTableView::doubleClicked, this,
          on([this](const QModelIndex&) { OnFoundFirmDoubleClicked(); }));

  connect(InfoPanel->CloseButton, &QToolButton::clicked, this, on([this](bool) { OnInfoCloseClicked(); }));
  for (int k = 0; k < 3; ++k)
    connect(InfoPanel->FirmPic[k], &QToolButton::clicked, this, on([this, k](bool) { OnFirmPictureClicked(k); }));

  connect(PanelPath->CloseButton, &QToolButton::clicked, this, on([this](bool) { OnRoutesCloseClicked(); }));
  connect(PanelPath->ListOfPath2, &QTableView::clicked, this,
          on([this](const QModelIndex&) { OnRouteRowClicked(); }));
  connect(PanelPath->ListOfPath2, &QTableView::doubleClicked, this,
          on([this](const QModelIndex&) { OnRouteRowDoubleClicked(); }));

  connect(HintTimer, &QTimer::timeout, this,
          [this] { RunHandler(Ui("Подсказка на карте"), [this] { OnHintPauseElapsed(); }); });

  ConnectMapArea();

  // Clicks on the zoom panel and its label (which passes them on to the
  // panel); the tool bar's size.
  ZoomPanel->installEventFilter(this);
  ToolBar->installEventFilter(this);
}

// The map area: its paint, its mouse, and the overlays that keep the mouse off it.
void MapWindow::ConnectMapArea() {
  const QString map = Ui("Карта");
  using Button = Qt::MouseButton;
  mapArea_->OnPaint = [this](QPainter& painter) { PaintMap(painter); };
  mapArea_->OnMouseDown = [this, map](Button b, int x, int y) { RunHandler(map, [&] { OnMapPressed(b, x, y); }); };
  mapArea_->OnMouseMove = [this, map](int x, int y) { RunHandler(map, [&] { OnMapMouseMoved(x, y); }); };
  mapArea_->OnMouseUp = [this, map](Button b, int x, int y) { RunHandler(map, [&] { OnMapReleased(b, x, y); }); };
  mapArea_->OnWheel = [this, map](int steps, int x, int y) { RunHandler(map, [&] { OnMapWheelTurned(steps, x, y); }); };
  mapArea_->OnDoubleClick = [this, map](Button b, int x, int y) {
    bool taken = false;
    RunHandler(map, [&] { taken = OnMapDoubleClicked(b, x, y); });
    return taken;
  };
  mapArea_->OnKey = [this, map](int key, Qt::KeyboardModifiers modifiers) {
    bool taken = false;
    RunHandler(map, [&] { taken = OnMapKeyPressed(key, modifiers); });
    return taken;
  };
  mapArea_->OnMouseLeave = [this, map] { RunHandler(map, [this] { MouseLeftMap(); }); };
  mapArea_->OnResize = [this, map](QSize before) { RunHandler(map, [&] { MapAreaResized(before); }); };
  for (QWidget* overlay : std::initializer_list<QWidget*>{ToolBar, PanelLeft, PanelRight, ListPanelOpener})
    mapArea_->AddOverlay(overlay);
  contextMenu_ = new MapContextMenu(mapArea_, core_, [this](const QString& action, const std::function<void()>& command) {
    RunHandler(action, command);
  });
}

// Ctrl acts wherever the focus is in the window, and follows the key's real
// state when the window gains or loses the keyboard.
void MapWindow::WatchCtrlKey() {
  ctrlWatcher_ = new CtrlKeyWatcher(this, [this](bool down) { CtrlKeyChanged(down); });
}

void MapWindow::CtrlKeyChanged(bool down) {
  RunHandler(Ui("Выделение улиц (Ctrl)"), [&] { down ? OnCtrlPressed() : OnCtrlReleased(); });
}

template <class Handler>
void MapWindow::RunHandler(const QString& action, Handler&& handler) {
  RunGuarded(action, handler, [this](const std::string& message) { ShowFailure(message); });
  AfterHandler();
}

void MapWindow::RunCommand(const QString& action, const std::function<void()>& command) { RunHandler(action, command); }

// While one failure is shown, others (a timer tick, a paint behind the box)
// are not piled on top of it.
void MapWindow::ShowFailure(const std::string& message) {
  if (showingFailure_) return;
  showingFailure_ = true;
  ShowMessage(message);
  showingFailure_ = false;
}

// A paint cannot show a message box itself: the box is shown once the paint
// is over, and only for the first of a run of failing paints.
void MapWindow::PaintMap(QPainter& painter) {
  const bool painted = RunGuarded(Ui("Рисование карты"),
                                  [&] {
                                    // At the pixels of the screen the map is on now.
                                    SetPictureRatio(core_, mapArea_->devicePixelRatioF());
                                    PaintMapArea(core_, painter);
                                  },
                                  [this](const std::string& message) {
                                    if (paintFailed_) return;
                                    paintFailed_ = true;
                                    QTimer::singleShot(0, this, [this, message] { ShowFailure(message); });
                                  });
  if (painted) paintFailed_ = false;
  if (painted && !core_.Map.isNull()) DrawRoute(painter, -VisiblePictureRect(core_.View).topLeft());
}

bool MapWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == ZoomPanel && type == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && ZoomPanel->rect().contains(mouse->position().toPoint()))
      RunHandler(ZoomCaption->text(), [this] { OnZoomPanelClicked(); });
    return false;
  }
  if (watched == ToolBar && type == QEvent::Resize) {
    OnToolBarResized();
    return false;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MapWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  Remember();
  QuitProgram();
}

void MapWindow::QuitProgram() {
  if (EndProgram)
    EndProgram();
  else
    QCoreApplication::quit();
}

void MapWindow::RepaintCityWindow() {
  if (cityChooser_) cityChooser_->ShowProgress(core_.Progress);
}

// An error in the final drawing ends the program (LoadCity has shown its
// message); any other error of the load is reported and the city selection
// stays, ready for another choice.
bool MapWindow::LoadCity(const std::string& city, const std::string& title) {
  ++loadGeneration_;
  contextMenu_->CloseWindow();
  directions_->Forget();  // the route and the graph are the city's
  ShowDirections();
  if (CityLeft) CityLeft();
  bool drawn = false;
  const bool loaded = RunGuarded(Ui("Загрузить карту"), [&] { drawn = ::LoadCity(core_, city, title); },
                                 [this](const std::string& message) { ShowFailure(message); });
  if (loaded && drawn) {
    RunHandler(Ui("Загрузить карту"), [this] {
      RestoreRemembered();
      CentreViewInVisibleMap();
    });
    ShowCityBookmarks();
    mapArea_->setFocus();  // the keys act on the map from the start
  }
  SyncFromCore();
  if (loaded && !drawn) {
    hide();
    QuitProgram();
  }
  return loaded && drawn;
}

bool MapWindow::LoadCity(const CityLocation& city, const std::string& title) {
  core_.DataRoot = city.DataRoot;
  return LoadCity(city.CityName, title);
}

// --- menu ---

void MapWindow::OnMainMenuClicked() {
  Remember();
  if (CityLeft) CityLeft();
  if (cityChooser_) cityChooser_->ReturnFromMap();
  hide();
  if (cityChooser_) cityChooser_->show();
}

void MapWindow::OnAddCityClicked() {
  if (cityChooser_) cityChooser_->AddCityFrom(this);
}

void MapWindow::OnExitClicked() { close(); }

void MapWindow::OnTextItemToggled(bool checked) { ShowLayer(core_, DrawCode::Label, checked); }
void MapWindow::OnShowObjectsItemToggled(bool checked) { ShowLayer(core_, DrawCode::Object, checked); }
void MapWindow::OnAllIconsItemToggled(bool checked) { ShowAllIcons(core_, checked); }
void MapWindow::OnScaleBarItemToggled(bool checked) {
  core_.Ui.ShowScaleBar = checked;
  PaintMapWindow();
}
void MapWindow::OnClickSelectItemToggled(bool checked) { SetClickSelect(core_, checked); }
void MapWindow::OnZoomOnSelectItemToggled(bool checked) { core_.Ui.ZoomOnSelect = checked; }
void MapWindow::OnShowFirmInfoItemToggled(bool) { ::ToggleFirmInfo(core_); }

// The menu ticks flip as they are chosen: `checked` is the new tick, so an
// item that was ticked hides its panel.
void MapWindow::OnListSearchItemToggled(bool checked) { checked ? ShowListSearchPanel(core_) : HideListSearchPanel(core_); }
void MapWindow::OnFirmSearchItemToggled(bool checked) { checked ? ShowFirmSearchPanel(core_) : HideFirmSearchPanel(core_); }
void MapWindow::OnRoutesItemToggled(bool checked) { checked ? ShowRoutesPanel(core_) : HideRoutesPanel(core_); }

void MapWindow::OnAllRoutesItemToggled(bool checked) { ShowLayer(core_, DrawCode::Route, checked); }

void MapWindow::OnAboutClicked() {
  if (ShowAboutWindow) ShowAboutWindow();
}

void MapWindow::OnHelpClicked() {
  if (ShowHelpWindow) ShowHelpWindow();
}

void MapWindow::OnWholeCityClicked() { ShowWholeCity(core_, VisibleMapRect()); }

// --- tool bar ---

void MapWindow::OnLabelsButtonClicked() { ShowLayer(core_, DrawCode::Label, LabelsButton->isChecked()); }
void MapWindow::OnObjectsButtonClicked() { ShowLayer(core_, DrawCode::Object, ObjectsButton->isChecked()); }

void MapWindow::OnListPanelButtonClicked() {
  ListPanelButton->isChecked() ? ShowListSearchPanel(core_) : HideListSearchPanel(core_);
}

void MapWindow::OnFirmPanelButtonClicked() {
  FirmPanelButton->isChecked() ? ShowFirmSearchPanel(core_) : HideFirmSearchPanel(core_);
}

void MapWindow::OnOpenListPanelClicked() { ShowListSearchPanel(core_); }
void MapWindow::OnListSearchCloseClicked() { HideListSearchPanel(core_); }
void MapWindow::OnRoutesCloseClicked() { HideRoutesPanel(core_); }
void MapWindow::OnFirmSearchCloseClicked() { HideFirmSearchPanel(core_); }

void MapWindow::OnObjectKindChosen(int index) { ::ChooseObjectEntry(core_, index); }

void MapWindow::OnKeywordSearchClicked() {
  SearchFirms(core_, ToCp(KeywordBox->currentText()));
  ShowFirmSearchPanel(core_);
}

void MapWindow::OnKeywordChosen(int) { OnKeywordSearchClicked(); }

void MapWindow::OnAddKeywordClicked() { AddKeyword(core_, ToCp(KeywordBox->currentText())); }

// --- zoom ---

void MapWindow::OnZoomSliderMoved(int position) { SetTrackBarPosition(core_, position); }

void MapWindow::OnZoomEntered() {
  const QString text = ZoomEdit->text();
  if (ApplyTypedZoom(core_, ToCp(text), ZoomFloor(core_, VisibleMapRect()))) return;
  ShowMessage(ZoomEditErrorMessage(ToCp(text)));
  ZoomEdit->setText(FromCp(core_.Ui.ZoomEditText));  // the scale in force again
}

void MapWindow::OnZoomPanelClicked() { ::SyncZoomSliderToScale(core_); }

void MapWindow::OnToolBarResized() {
  ListPanelOpener->move(0, ToolBar->height());
  ListPanelOpener->raise();
}

// --- list search ---

void MapWindow::OnListKeyEntered() { FillSearchList(core_, ToCp(PanelSearch->KeyField->text())); }
void MapWindow::OnListSearchClicked() { FillSearchList(core_, ToCp(PanelSearch->KeyField->text())); }

void MapWindow::OnFoundRowClicked() {
  ::SelectFoundRow(core_, SelectedTableRow(PanelSearch->SearchListView), false);
}

void MapWindow::OnFoundRowDoubleClicked() {
  ::SelectFoundRow(core_, SelectedTableRow(PanelSearch->SearchListView), true);
}

// --- firm search ---

void MapWindow::OnFirmKeyEntered() { SearchFirmsFromField(core_, ToCp(FirmSearch->KeyField->text())); }

void MapWindow::OnFirmSearchClicked() { SearchFirms(core_, ToCp(FirmSearch->KeyField->text())); }

void MapWindow::OnShowFoundFirmsClicked() { ShowLayer(core_, DrawCode::Firm, FirmSearch->ShowFoundBox->isChecked()); }

void MapWindow::OnFoundFirmClicked() {
  const int row = SelectedTableRow(FirmSearch->SearchFirmListView);
  if (row < 0) return;
  FirmResultSelected(core_, row, false);
}

void MapWindow::OnFoundFirmDoubleClicked() {
  const int row = SelectedTableRow(FirmSearch->SearchFirmListView);
  if (row < 0 || core_.Search.FoundFirms.Empty()) return;
  FirmResultSelected(core_, row, true);
}

// --- information panel ---

void MapWindow::OnFirmPictureClicked(int k) {
  const std::string& path = FirmPicturePath(core_, k + 1);
  if (!path.empty() && ShowPictureWindow) ShowPictureWindow(path);
}

void MapWindow::OnInfoCloseClicked() { ::HideInfoPanel(core_); }

// --- routes ---

void MapWindow::OnRouteRowClicked() {
  const int row = SelectedTableRow(PanelPath->ListOfPath2);
  if (row < 0) return;
  SelectRouteRow(core_, row, false);
}

void MapWindow::OnRouteRowDoubleClicked() {
  const int row = SelectedTableRow(PanelPath->ListOfPath2);
  if (row < 0) return;
  SelectRouteRow(core_, row, true);
}

// --- map area ---

namespace {

// Every button other than the left and the right one drags like the middle one.
MouseButton ToMouseButton(Qt::MouseButton button) {
  if (button == Qt::LeftButton) return MouseButton::Left;
  if (button == Qt::RightButton) return MouseButton::Right;
  return MouseButton::Middle;
}

}  // namespace

void MapWindow::OnMapPressed(Qt::MouseButton button, int x, int y) {
  ApplyViewUpdate(core_, ::PressOnMap(core_, ToMouseButton(button), x, y));
}

void MapWindow::OnMapMouseMoved(int x, int y) { ApplyViewUpdate(core_, ::MoveOnMap(core_, x, y)); }

void MapWindow::OnMapReleased(Qt::MouseButton button, int x, int y) {
  ApplyViewUpdate(core_, ::ReleaseOnMap(core_, ToMouseButton(button), x, y));
}

void MapWindow::MouseLeftMap() { HideHoverHint(core_); }
void MapWindow::OnCtrlPressed() { ::PressHighlightKey(core_, kCtrlKey); }
void MapWindow::OnCtrlReleased() { ::ReleaseHighlightKey(core_, kCtrlKey); }
void MapWindow::OnMapWheelTurned(int steps, int x, int y) {
  ZoomAroundPoint(core_, steps, x, y, ZoomFloor(core_, VisibleMapRect()));
}

bool MapWindow::OnMapDoubleClicked(Qt::MouseButton button, int x, int y) {
  return ::DoubleClickOnMap(core_, ToMouseButton(button), x, y);
}

bool MapWindow::OnMapKeyPressed(int key, Qt::KeyboardModifiers modifiers) {
  if (RunMeasureKey(core_, key)) return true;
  if (key == Qt::Key_Escape && directions_->Active()) {
    OnClearRouteClicked();
    return true;
  }
  return RunMapKey(core_, key, modifiers, VisibleMapRect());
}
void MapWindow::OnHintPauseElapsed() { ::ShowHoverHint(core_); }
