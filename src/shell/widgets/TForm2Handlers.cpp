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
#include "interaction/MouseControl.h"
#include "interaction/ObjectFilter.h"
#include "interaction/ViewControl.h"
#include "interaction/ViewMoves.h"
#include "render/ViewScale.h"
#include "render/FormPaint.h"
#include "render/RedrawView.h"
#include "search/FirmSearch.h"
#include "search/Keywords.h"
#include "search/ListSearch.h"
#include "shell/LoadCity.h"
#include "shell/PanelPairs.h"
#include "shell/widgets/CtrlKeyWatcher.h"
#include "shell/widgets/HandlerGuard.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapContextMenu.h"
#include "shell/widgets/SidePanels.h"
#include "shell/widgets/TForm1.h"
#include "shell/widgets/TForm2.h"
#include "shell/widgets/WidgetKit.h"

void TForm2::ConnectHandlers() {
  // Every handler runs guarded, named after the control that sent its signal,
  // and is followed by the mirror of the state into the controls.
  auto on = [this](auto&& handler) {
    return [this, handler](auto&&... args) { RunHandler(ActionName(sender()), [&] { handler(args...); }); };
  };
  auto item = [this](const char* name) { return MenuItem(name); };

  connect(item("N19"), &QAction::triggered, this, on([this](bool) { N19Click(); }));
  connect(item("N2"), &QAction::triggered, this, [this](bool) { N2Click(); });
  connect(item("N7"), &QAction::triggered, this, on([this](bool c) { N7Click(c); }));
  connect(item("N6"), &QAction::triggered, this, on([this](bool c) { N6Click(c); }));
  connect(item("N5"), &QAction::triggered, this, on([this](bool c) { N5Click(c); }));
  connect(item("N8"), &QAction::triggered, this, on([this](bool c) { N8Click(c); }));
  connect(item("N10"), &QAction::triggered, this, on([this](bool c) { N10Click(c); }));
  connect(item("N15"), &QAction::triggered, this, on([this](bool c) { N15Click(c); }));
  connect(item("N16"), &QAction::triggered, this, on([this](bool c) { N16Click(c); }));
  connect(item("N17"), &QAction::triggered, this, on([this](bool c) { N17Click(c); }));
  connect(item("N18"), &QAction::triggered, this, on([this](bool c) { N18Click(c); }));
  connect(item("N21"), &QAction::triggered, this, on([this](bool) { N21Click(); }));
  connect(item("N22"), &QAction::triggered, this, on([this](bool) { N22Click(); }));
  connect(item("WholeCityItem"), &QAction::triggered, this, on([this](bool) { WholeCityClick(); }));
  connect(item("SaveImageItem"), &QAction::triggered, this, on([this](bool) { SaveImageClick(); }));
  connect(item("PrintItem"), &QAction::triggered, this, on([this](bool) { PrintClick(); }));

  connect(SpeedButton12, &QToolButton::clicked, this, on([this](bool) { SpeedButton12Click(); }));
  connect(SpeedButton14, &QToolButton::clicked, this, on([this](bool) { SpeedButton14Click(); }));
  connect(SpeedButton1, &QToolButton::clicked, this, on([this](bool) { SpeedButton1Click(); }));
  connect(SpeedButton2, &QToolButton::clicked, this, on([this](bool) { SpeedButton2Click(); }));
  connect(SpeedButton6, &QToolButton::clicked, this, on([this](bool) { SpeedButton6Click(); }));
  connect(SpeedButton9, &QToolButton::clicked, this, on([this](bool) { SpeedButton9Click(); }));
  connect(SpeedButton10, &QToolButton::clicked, this, on([this](bool) { SpeedButton10Click(); }));
  connect(WholeCityButton, &QToolButton::clicked, this, on([this](bool) { WholeCityClick(); }));
  connect(ObjectComboBox, &QComboBox::activated, this, on([this](int i) { ObjectComboBoxSelect(i); }));
  connect(ComboBox1, &QComboBox::activated, this, on([this](int i) { ComboBox1Select(i); }));
  connect(TrackBar1, &QSlider::valueChanged, this, on([this](int p) { TrackBar1Change(p); }));
  connect(ZoomEdit, &QLineEdit::returnPressed, this, on([this] { ZoomEditKeyPress(); }));

  connect(PanelSearch->SpeedButton5, &QToolButton::clicked, this, on([this](bool) { SpeedButton5Click(); }));
  connect(PanelSearch->SpeedButton4, &QToolButton::clicked, this, on([this](bool) { SpeedButton4Click(); }));
  connect(PanelSearch->Edit1, &QLineEdit::returnPressed, this, on([this] { Edit1KeyPress(); }));
  connect(PanelSearch->SearchListView, &QTableView::clicked, this,
          on([this](const QModelIndex&) { SearchListViewClick(); }));
  connect(PanelSearch->SearchListView, &QTableView::doubleClicked, this,
          on([this](const QModelIndex&) { SearchListViewDblClick(); }));

  connect(FirmSearch->SpeedButton16, &QToolButton::clicked, this, on([this](bool) { SpeedButton16Click(); }));
  connect(FirmSearch->SpeedButton8, &QToolButton::clicked, this, on([this](bool) { SpeedButton8Click(); }));
  connect(FirmSearch->Edit2, &QLineEdit::returnPressed, this, on([this] { Edit2KeyPress(); }));
  connect(FirmSearch->CheckBox1, &QCheckBox::toggled, this, [this](bool c) { core_.Search.CheckBox1 = c; });
  connect(FirmSearch->CheckBox2, &QCheckBox::toggled, this, [this](bool c) { core_.Search.CheckBox2 = c; });
  connect(FirmSearch->CheckBox3, &QCheckBox::toggled, this, [this](bool c) { core_.Search.CheckBox3 = c; });
  connect(FirmSearch->CheckBox4, &QCheckBox::clicked, this, on([this](bool) { CheckBox4Click(); }));
  connect(FirmSearch->SearchFirmListView, &QTableView::clicked, this,
          on([this](const QModelIndex&) { SearchFirmListViewClick(); }));
  connect(FirmSearch->SearchFirmListView, &QTableView::doubleClicked, this,
          on([this](const QModelIndex&) { SearchFirmListViewDblClick(); }));

  connect(InfoPanel->SpeedButton3, &QToolButton::clicked, this, on([this](bool) { SpeedButton3Click(); }));
  for (int k = 0; k < 3; ++k)
    connect(InfoPanel->FirmPic[k], &QToolButton::clicked, this, on([this, k](bool) { FirmPicClick(k); }));

  connect(PanelPath->SpeedButton7, &QToolButton::clicked, this, on([this](bool) { SpeedButton7Click(); }));
  connect(PanelPath->ListOfPath2, &QTableView::clicked, this,
          on([this](const QModelIndex&) { ListOfPath2Click(); }));
  connect(PanelPath->ListOfPath2, &QTableView::doubleClicked, this,
          on([this](const QModelIndex&) { ListOfPath2DblClick(); }));

  connect(HintTimer, &QTimer::timeout, this,
          [this] { RunHandler(Ui("Подсказка на карте"), [this] { HintTimerTimer(); }); });

  ConnectMapArea();

  // Clicks on the zoom panel and its label (which passes them on to the
  // panel); the tool bar's size.
  Panel5->installEventFilter(this);
  ControlBar1->installEventFilter(this);
}

// The map area: its paint, its mouse, and the overlays that keep the mouse off it.
void TForm2::ConnectMapArea() {
  const QString map = Ui("Карта");
  using Button = Qt::MouseButton;
  mapArea_->OnPaint = [this](QPainter& painter) { PaintMap(painter); };
  mapArea_->OnMouseDown = [this, map](Button b, int x, int y) { RunHandler(map, [&] { FormMouseDown(b, x, y); }); };
  mapArea_->OnMouseMove = [this, map](int x, int y) { RunHandler(map, [&] { FormMouseMove(x, y); }); };
  mapArea_->OnMouseUp = [this, map](Button b, int x, int y) { RunHandler(map, [&] { FormMouseUp(b, x, y); }); };
  mapArea_->OnWheel = [this, map](int steps, int x, int y) { RunHandler(map, [&] { MouseWheel(steps, x, y); }); };
  mapArea_->OnDoubleClick = [this, map](Button b, int x, int y) {
    bool taken = false;
    RunHandler(map, [&] { taken = FormDblClick(b, x, y); });
    return taken;
  };
  mapArea_->OnKey = [this, map](int key, Qt::KeyboardModifiers modifiers) {
    bool taken = false;
    RunHandler(map, [&] { taken = MapKeyPress(key, modifiers); });
    return taken;
  };
  mapArea_->OnMouseLeave = [this, map] { RunHandler(map, [this] { MouseLeftMap(); }); };
  for (QWidget* overlay : std::initializer_list<QWidget*>{ControlBar1, PanelLeft, PanelRight, Panel14})
    mapArea_->AddOverlay(overlay);
  contextMenu_ = new MapContextMenu(mapArea_, core_, [this](const QString& action, const std::function<void()>& command) {
    RunHandler(action, command);
  });
}

// Ctrl acts wherever the focus is in the window, and follows the key's real
// state when the window gains or loses the keyboard.
void TForm2::WatchCtrlKey() {
  ctrlWatcher_ = new CtrlKeyWatcher(this, [this](bool down) { CtrlKeyChanged(down); });
}

void TForm2::CtrlKeyChanged(bool down) {
  RunHandler(Ui("Выделение улиц (Ctrl)"), [&] { down ? FormKeyDown() : FormKeyUp(); });
}

template <class Handler>
void TForm2::RunHandler(const QString& action, Handler&& handler) {
  RunGuarded(action, handler, [this](const std::string& message) { ShowFailure(message); });
  AfterHandler();
}

// While one failure is shown, others (a timer tick, a paint behind the box)
// are not piled on top of it.
void TForm2::ShowFailure(const std::string& message) {
  if (showingFailure_) return;
  showingFailure_ = true;
  ShowMessage(message);
  showingFailure_ = false;
}

// A paint cannot show a message box itself: the box is shown once the paint
// is over, and only for the first of a run of failing paints.
void TForm2::PaintMap(QPainter& painter) {
  const bool painted = RunGuarded(Ui("Рисование карты"), [&] { FormPaint(core_, painter); },
                                  [this](const std::string& message) {
                                    if (paintFailed_) return;
                                    paintFailed_ = true;
                                    QTimer::singleShot(0, this, [this, message] { ShowFailure(message); });
                                  });
  if (painted) paintFailed_ = false;
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == Panel5 && type == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && Panel5->rect().contains(mouse->position().toPoint()))
      RunHandler(Label3->text(), [this] { Panel5Click(); });
    return false;
  }
  if (watched == ControlBar1 && type == QEvent::Resize) {
    ControlBar1Resize();
    return false;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm2::closeEvent(QCloseEvent* event) {
  event->accept();
  Remember();
  FormClose();
}

void TForm2::FormClose() {
  if (EndProgram)
    EndProgram();
  else
    QCoreApplication::quit();
}

void TForm2::RepaintCityWindow() {
  if (form1_) form1_->ShowProgress(core_.Progress);
}

// An error in the final drawing ends the program (LoadCity has shown its
// message); any other error of the load is reported and the city selection
// stays, ready for another choice.
bool TForm2::LoadCity(const std::string& city, const std::string& title) {
  ++loadGeneration_;
  contextMenu_->CloseWindow();
  bool drawn = false;
  const bool loaded = RunGuarded(Ui("Загрузить карту"), [&] { drawn = ::LoadCity(core_, city, title); },
                                 [this](const std::string& message) { ShowFailure(message); });
  if (loaded && drawn) {
    RunHandler(Ui("Загрузить карту"), [this] { RestoreRemembered(); });
    mapArea_->setFocus();  // the keys act on the map from the start
  }
  SyncFromCore();
  if (loaded && !drawn) {
    hide();
    FormClose();
  }
  return loaded && drawn;
}

bool TForm2::LoadCity(const CityLocation& city, const std::string& title) {
  core_.DataRoot = city.DataRoot;
  return LoadCity(city.CityName, title);
}

// --- menu ---

void TForm2::N19Click() {
  Remember();
  if (form1_) form1_->ReturnFromMap();
  hide();
  if (form1_) form1_->show();
}

void TForm2::N2Click() { close(); }

void TForm2::N7Click(bool checked) { ShowLayer(core_, DrawCode::Label, checked); }
void TForm2::N6Click(bool checked) { ShowLayer(core_, DrawCode::Object, checked); }
void TForm2::N5Click(bool checked) { SetClickSelect(core_, checked); }
void TForm2::N8Click(bool checked) { core_.Ui.N8ZoomOnSelect = checked; }
void TForm2::N10Click(bool) { ::N10Click(core_); }

// The menu ticks flip as they are chosen: `checked` is the new tick, so an
// item that was ticked hides its panel.
void TForm2::N15Click(bool checked) { checked ? ShowListSearchPanel(core_) : HideListSearchPanel(core_); }
void TForm2::N16Click(bool checked) { checked ? ShowFirmSearchPanel(core_) : HideFirmSearchPanel(core_); }
void TForm2::N17Click(bool checked) { checked ? ShowRoutesPanel(core_) : HideRoutesPanel(core_); }

void TForm2::N18Click(bool checked) { ShowLayer(core_, DrawCode::Route, checked); }

void TForm2::N21Click() {
  if (ShowAboutWindow) ShowAboutWindow();
}

void TForm2::N22Click() {
  if (ShowHelpWindow) ShowHelpWindow();
}

void TForm2::WholeCityClick() { ShowWholeCity(core_, VisibleMapRect()); }

// --- tool bar ---

void TForm2::SpeedButton12Click() { ShowLayer(core_, DrawCode::Label, SpeedButton12->isChecked()); }
void TForm2::SpeedButton14Click() { ShowLayer(core_, DrawCode::Object, SpeedButton14->isChecked()); }

void TForm2::SpeedButton1Click() {
  SpeedButton1->isChecked() ? ShowListSearchPanel(core_) : HideListSearchPanel(core_);
}

void TForm2::SpeedButton2Click() {
  SpeedButton2->isChecked() ? ShowFirmSearchPanel(core_) : HideFirmSearchPanel(core_);
}

void TForm2::SpeedButton6Click() { ShowListSearchPanel(core_); }
void TForm2::SpeedButton5Click() { HideListSearchPanel(core_); }
void TForm2::SpeedButton7Click() { HideRoutesPanel(core_); }
void TForm2::SpeedButton16Click() { HideFirmSearchPanel(core_); }

void TForm2::ObjectComboBoxSelect(int index) { ::ObjectComboBoxSelect(core_, index); }

void TForm2::SpeedButton9Click() {
  SearchFirms(core_, ToCp(ComboBox1->currentText()));
  ShowFirmSearchPanel(core_);
}

void TForm2::ComboBox1Select(int) { SpeedButton9Click(); }

void TForm2::SpeedButton10Click() { AddKeyword(core_, ToCp(ComboBox1->currentText())); }

// --- zoom ---

void TForm2::TrackBar1Change(int position) { SetTrackBarPosition(core_, position); }

void TForm2::ZoomEditKeyPress() {
  const QString text = ZoomEdit->text();
  if (ZoomEditEnter(core_, ToCp(text), ZoomFloor(core_, VisibleMapRect()))) return;
  ShowMessage(ZoomEditErrorMessage(ToCp(text)));
  ZoomEdit->setText(FromCp(core_.Ui.ZoomEditText));  // the scale in force again
}

void TForm2::Panel5Click() { ::Panel5Click(core_); }

void TForm2::ControlBar1Resize() {
  Panel14->move(0, ControlBar1->height());
  Panel14->raise();
}

// --- list search ---

void TForm2::Edit1KeyPress() { FillSearchList(core_, ToCp(PanelSearch->Edit1->text())); }
void TForm2::SpeedButton4Click() { FillSearchList(core_, ToCp(PanelSearch->Edit1->text())); }

void TForm2::SearchListViewClick() {
  ::SearchListViewClick(core_, SelectedTableRow(PanelSearch->SearchListView), false);
}

void TForm2::SearchListViewDblClick() {
  ::SearchListViewClick(core_, SelectedTableRow(PanelSearch->SearchListView), true);
}

// --- firm search ---

void TForm2::Edit2KeyPress() { Edit2Enter(core_, ToCp(FirmSearch->Edit2->text())); }

void TForm2::SpeedButton8Click() { SearchFirms(core_, ToCp(FirmSearch->Edit2->text())); }

void TForm2::CheckBox4Click() { ShowLayer(core_, DrawCode::Firm, FirmSearch->CheckBox4->isChecked()); }

void TForm2::SearchFirmListViewClick() {
  const int row = SelectedTableRow(FirmSearch->SearchFirmListView);
  if (row < 0) return;
  FirmResultSelected(core_, row, false);
}

void TForm2::SearchFirmListViewDblClick() {
  const int row = SelectedTableRow(FirmSearch->SearchFirmListView);
  if (row < 0 || core_.Search.ListView2.Empty()) return;
  FirmResultSelected(core_, row, true);
}

// --- information panel ---

void TForm2::FirmPicClick(int k) {
  const std::string& path = FirmPicturePath(core_, k + 1);
  if (!path.empty() && ShowPictureWindow) ShowPictureWindow(path);
}

void TForm2::SpeedButton3Click() { ::SpeedButton3Click(core_); }

// --- routes ---

void TForm2::ListOfPath2Click() {
  const int row = SelectedTableRow(PanelPath->ListOfPath2);
  if (row < 0) return;
  RouteListClick(core_, row, false);
}

void TForm2::ListOfPath2DblClick() {
  const int row = SelectedTableRow(PanelPath->ListOfPath2);
  if (row < 0) return;
  RouteListClick(core_, row, true);
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

void TForm2::FormMouseDown(Qt::MouseButton button, int x, int y) {
  ApplyViewUpdate(core_, ::FormMouseDown(core_, ToMouseButton(button), x, y));
}

void TForm2::FormMouseMove(int x, int y) { ApplyViewUpdate(core_, ::FormMouseMove(core_, x, y)); }

void TForm2::FormMouseUp(Qt::MouseButton button, int x, int y) {
  ApplyViewUpdate(core_, ::FormMouseUp(core_, ToMouseButton(button), x, y));
}

void TForm2::MouseLeftMap() { HideHoverHint(core_); }
void TForm2::FormKeyDown() { ::FormKeyDown(core_, kCtrlKey); }
void TForm2::FormKeyUp() { ::FormKeyUp(core_, kCtrlKey); }
void TForm2::MouseWheel(int steps, int x, int y) {
  ZoomAroundPoint(core_, steps, x, y, ZoomFloor(core_, VisibleMapRect()));
}

bool TForm2::FormDblClick(Qt::MouseButton button, int x, int y) {
  return ::FormDblClick(core_, ToMouseButton(button), x, y);
}

bool TForm2::MapKeyPress(int key, Qt::KeyboardModifiers modifiers) {
  return MapAreaKeyPress(core_, key, modifiers, VisibleMapRect());
}
void TForm2::HintTimerTimer() { ::HintTimerTimer(core_); }
