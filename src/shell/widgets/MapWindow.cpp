// The map window's construction: menu, tool bar, panels, status bar, map area.
#include "shell/widgets/MapWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "mapdata/IconGeometry.h"
#include "shell/PanelFit.h"
#include "shell/widgets/CtrlKeyWatcher.h"
#include "shell/widgets/KeyboardLayout.h"
#include "route/DirectionsSession.h"
#include "search/KeyLimit.h"
#include "shell/widgets/KeywordCompleter.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/PanelEdge.h"
#include "shell/widgets/SidePanels.h"
#include "shell/widgets/WidgetKit.h"

namespace {

QMenu* AddSubmenu(QWidget* owner, const char* name, const char* caption) {
  auto* menu = new QMenu(Ui(caption), owner);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(QString(name) + "Item");
  return menu;
}

QFrame* ToolPanel(QWidget* parent, const char* name) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::StyledPanel);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(3, 2, 3, 2);
  row->setSpacing(2);
  return panel;
}

}  // namespace

MapWindow::MapWindow(fs::path dataRoot, QWidget* parent) : QMainWindow(parent), core_(*this, std::move(dataRoot)) {
  setObjectName("TForm2");
  setWindowTitle("Form2");
  UseWindowFont(this);
  mapArea_ = new MapArea(this);
  setCentralWidget(mapArea_);
  CreateActions();
  BuildMenu();
  BuildToolBar(mapArea_);
  BuildPanels(mapArea_);
  BuildStatusBar();
  HintTimer = new QTimer(this);
  HintTimer->setObjectName("HintTimer");
  HintTimer->setInterval(100);
  ConnectHandlers();
  directions_ = std::make_unique<DirectionsSession>();
  BuildDirections();
  WatchCtrlKey();
  setWindowState(Qt::WindowMaximized);
  ActivateRussianKeyboardLayout();
  SyncFromCore();
}

// Hiding the window sends deactivation and leave events to the handlers; they
// must find the window whole, and nothing may reach it once it is being taken
// apart.
MapWindow::~MapWindow() {
  hide();
  delete ctrlWatcher_;
}

void MapWindow::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");

  QMenu* file = AddSubmenu(this, "FileMenu", "Файл");
  file->addActions({mainMenuAction, addCityAction});
  file->addSeparator();
  file->addActions({saveImageAction, printAction, savePdfAction});
  file->addSeparator();
  file->addAction(exitAction);
  bar->addMenu(file);

  mapMenu_ = AddSubmenu(this, "MapMenu", "Карта");
  QMenu* objects = AddSubmenu(this, "ObjectsMenu", "Объекты");
  objects->addActions({showObjectsAction, clickSelectAction, zoomOnSelectAction});
  mapMenu_->addMenu(objects);
  QMenu* firms = AddSubmenu(this, "FirmsMenu", "Фирмы");
  firms->addAction(showFirmInfoAction);
  mapMenu_->addMenu(firms);
  mapMenu_->addActions({labelsAction, allIconsAction, scaleBarAction});
  mapMenu_->setToolTipsVisible(true);  // a greyed item says why
  mapMenu_->addSeparator();
  QMenu* routes = AddSubmenu(this, "N13", "Маршруты");
  routes->addActions({routesPanelAction, allRoutesAction});
  mapMenu_->addMenu(routes);
  mapMenu_->addSeparator();
  mapMenu_->addActions({listSearchAction, firmSearchAction});
  mapMenu_->addSeparator();
  mapMenu_->addAction(wholeCityAction);
  mapMenu_->addSeparator();
  mapMenu_->addAction(routeToSelectionAction);
  bar->addMenu(mapMenu_);

  BuildBookmarksMenu(bar);

  QMenu* help = AddSubmenu(this, "HelpMenu", "Помощь");
  help->addAction(helpAction);
  help->addSeparator();
  help->addAction(aboutAction);
  bar->addMenu(help);
}

void MapWindow::BuildToolBar(QWidget* client) {
  ToolBar = new QFrame(client);
  ToolBar->setObjectName("ControlBar1");
  ToolBar->setFrameShape(QFrame::StyledPanel);
  ToolBar->setAutoFillBackground(true);
  auto* bar = new QHBoxLayout(ToolBar);
  bar->setContentsMargins(2, 2, 2, 2);
  bar->setSpacing(4);

  QFrame* layerPanel = ToolPanel(ToolBar, "Panel3");
  LabelsButton = MakeToolButton(layerPanel, "SpeedButton12", Ui("Отображать текст на карте"), Glyph::Text, true);
  ObjectsButton = MakeToolButton(layerPanel, "SpeedButton14", Ui("Отображать объекты на карте"), Glyph::Objects, true);
  ObjectComboBox = new QComboBox(layerPanel);
  ObjectComboBox->setObjectName("ObjectComboBox");
  ObjectComboBox->setToolTip(Ui("Список объектов для отображения"));
  ObjectComboBox->setMaxVisibleItems(18);
  ObjectComboBox->setIconSize(QSize(kIconSide, kIconSide));
  ObjectComboBox->setMinimumWidth(170);
  for (QWidget* w : std::initializer_list<QWidget*>{LabelsButton, ObjectsButton, ObjectComboBox})
    layerPanel->layout()->addWidget(w);
  bar->addWidget(layerPanel);

  QFrame* panelButtons = ToolPanel(ToolBar, "Panel11");
  ListPanelButton = MakeToolButton(panelButtons, "SpeedButton1", Ui("Отобразить панель поиска по списку"), Glyph::ListSearch, true);
  FirmPanelButton = MakeToolButton(panelButtons, "SpeedButton2", Ui("Отобразить панель поиска по фирмам"), Glyph::FirmSearch, true);
  panelButtons->layout()->addWidget(ListPanelButton);
  panelButtons->layout()->addWidget(FirmPanelButton);
  bar->addWidget(panelButtons);

  QFrame* keywordPanel = ToolPanel(ToolBar, "Panel4");
  KeywordBox = new QComboBox(keywordPanel);
  KeywordBox->setObjectName("ComboBox1");
  KeywordBox->setToolTip(Ui("Выбирите ключевое слово из списка для поиска фирм"));
  KeywordBox->setEditable(true);
  KeywordBox->setInsertPolicy(QComboBox::NoInsert);  // words are added by AddKeywordButton only
  KeywordBox->lineEdit()->setMaxLength(kKeyFieldMaxLength);
  KeywordBox->setMaxVisibleItems(30);
  KeywordBox->setMinimumWidth(160);
  KeywordBox->setCompleter(new KeywordCompleter(KeywordBox));
  KeywordSearchButton = MakeToolButton(keywordPanel, "SpeedButton9", Ui("Выпольнить поиск..."), Glyph::Search);
  AddKeywordButton = MakeToolButton(keywordPanel, "SpeedButton10", Ui("Добавить слово в список."), Glyph::AddWord);
  for (QWidget* w : std::initializer_list<QWidget*>{KeywordBox, KeywordSearchButton, AddKeywordButton})
    keywordPanel->layout()->addWidget(w);
  bar->addWidget(keywordPanel);

  ZoomPanel = ToolPanel(ToolBar, "Panel5");
  ZoomCaption = new QLabel(Ui("Масштаб:"), ZoomPanel);
  ZoomCaption->setObjectName("Label3");
  ZoomSlider = new QSlider(Qt::Horizontal, ZoomPanel);
  ZoomSlider->setObjectName("TrackBar1");
  ZoomSlider->setToolTip(Ui("Масштаб"));
  ZoomSlider->setRange(1, 30);
  ZoomSlider->setValue(1);
  ZoomSlider->setPageStep(1);
  ZoomSlider->setTickPosition(QSlider::TicksBelow);
  ZoomSlider->setFixedWidth(150);
  ZoomEdit = new QLineEdit(ZoomPanel);
  ZoomEdit->setObjectName("ZoomEdit");
  ZoomEdit->setToolTip(Ui("Задайте величину масштаба"));
  // Room for the widest scale it shows, "1000,5%" (ZoomFieldText).
  ZoomEdit->setMaxLength(7);
  ZoomEdit->setFixedWidth(std::max(56, ZoomEdit->fontMetrics().horizontalAdvance(QStringLiteral("1000,5%")) + 12));
  for (QWidget* w : std::initializer_list<QWidget*>{ZoomCaption, ZoomSlider, ZoomEdit}) ZoomPanel->layout()->addWidget(w);
  bar->addWidget(ZoomPanel);

  WholeCityPanel = ToolPanel(ToolBar, "WholeCityPanel");
  WholeCityButton = MakeToolButton(WholeCityPanel, "WholeCityButton", Ui("Показать весь город"), Glyph::WholeCity);
  WholeCityPanel->layout()->addWidget(WholeCityButton);
  bar->addWidget(WholeCityPanel);
  bar->addStretch(1);
}

void MapWindow::BuildPanels(QWidget* client) {
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(ToolBar);
  // The side panels sit at the window's edges; between them the map area shows
  // through (a layout, not a widget, so the mouse reaches the map).
  auto* body = new QHBoxLayout();
  body->setSpacing(0);
  column->addLayout(body, 1);

  // Each edge's panels have a splitter on their map side (PanelEdge).
  PanelLeft = new QWidget(client);
  PanelLeft->setObjectName("PanelLeft");
  auto* left = new QHBoxLayout(PanelLeft);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(0);
  PanelSearch = new ListSearchPanel(PanelLeft);
  PanelPath = new RoutesPanel(PanelLeft);
  PanelPath->hide();
  LeftSplitter = new PanelEdge(
      PanelLeft, "LeftSplitter", true, [this] { return shownPanels_.Left; },
      [this](int width) { SetPanelWidths(FittedPanelWidth(width, kLeftPanelWidth, PanelRight), rightPanelWidth_); });
  left->addWidget(PanelSearch, 1);
  left->addWidget(PanelPath, 1);
  left->addWidget(LeftSplitter);
  body->addWidget(PanelLeft);
  body->addStretch(1);

  PanelRight = new QWidget(client);
  PanelRight->setObjectName("PanelRight");
  auto* right = new QHBoxLayout(PanelRight);
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(0);
  InfoPanel = new InfoPanelWidget(PanelRight);
  InfoPanel->hide();
  FirmSearch = new FirmSearchPanel(PanelRight);
  FirmSearch->hide();
  // The right edge's panels stand side by side and widen alike.
  RightSplitter = new PanelEdge(
      PanelRight, "RightSplitter", false, [this] { return shownPanels_.Right * RightPanelsShown(); },
      [this](int width) {
        const int each = width / std::max(1, RightPanelsShown());
        SetPanelWidths(leftPanelWidth_, FittedPanelWidth(each, kRightPanelWidth, PanelLeft, RightPanelsShown()));
      });
  right->addWidget(RightSplitter);
  right->addWidget(InfoPanel);
  right->addWidget(FirmSearch);
  body->addWidget(PanelRight);

  ListPanelOpener = new QFrame(client);
  ListPanelOpener->setObjectName("Panel14");
  ListPanelOpener->setFixedSize(16, 16);
  OpenListPanelButton = MakeToolButton(ListPanelOpener, "SpeedButton6", QString(), Glyph::Open);
  OpenListPanelButton->setGeometry(0, 0, 16, 16);
  OpenListPanelButton->setIconSize(QSize(12, 12));
  ListPanelOpener->move(0, ToolBar->sizeHint().height());
  ListPanelOpener->raise();
}

int MapWindow::RightPanelsShown() const {
  return static_cast<int>(InfoPanel->isVisibleTo(PanelRight)) + static_cast<int>(FirmSearch->isVisibleTo(PanelRight));
}

// A dragged width, no narrower than at first start and no wider than leaves
// the map kMapRoom pixels beside the other edge's panels (`count` panels of
// this width stand side by side).
int MapWindow::FittedPanelWidth(int wanted, int least, const QWidget* otherSide, int count) const {
  const int other = otherSide->isVisibleTo(mapArea_) ? otherSide->width() : 0;
  const int most = (mapArea_->width() - other - PanelEdge::kThickness - kMapRoom) / std::max(1, count);
  return std::clamp(wanted, least, std::max(least, most));
}

void MapWindow::SetPanelWidths(int left, int right) {
  leftPanelWidth_ = left;
  rightPanelWidth_ = right;
  FitPanelsToMap();
}

void MapWindow::BuildStatusBar() {
  MapStatusBar = new QStatusBar(this);
  MapStatusBar->setObjectName("StatusBar1");
  static const int kDesignWidths[3] = {150, 350, 50};
  for (int i = 0; i < 3; ++i) {
    StatusPanel[i] = new QLabel(MapStatusBar);
    StatusPanel[i]->setObjectName(QString("StatusPanel%1").arg(i));
    StatusPanel[i]->setTextFormat(Qt::PlainText);  // data text, never markup
    StatusPanel[i]->setFrameShape(QFrame::Panel);
    StatusPanel[i]->setFrameShadow(QFrame::Sunken);
    StatusPanel[i]->setFixedWidth(kDesignWidths[i]);
    MapStatusBar->addWidget(StatusPanel[i]);
  }
  // A measured length, shown only while there is one.
  MeasurePanel = new QLabel(MapStatusBar);
  MeasurePanel->setObjectName("MeasurePanel");
  MeasurePanel->setTextFormat(Qt::PlainText);
  MeasurePanel->setFrameShape(QFrame::Panel);
  MeasurePanel->setFrameShadow(QFrame::Sunken);
  MeasurePanel->hide();
  MapStatusBar->addWidget(MeasurePanel);
  setStatusBar(MapStatusBar);
}

// --- MapHost ---

void MapWindow::ShowMessage(const std::string& utf8Text) {
  if (MessageSink) {
    MessageSink(utf8Text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), QString::fromStdString(utf8Text),
                  QMessageBox::Ok, isVisible() ? this : nullptr);
  box.setTextFormat(Qt::PlainText);  // messages quote file names and data
  box.exec();
}

void MapWindow::ProcessPendingEvents() { QCoreApplication::processEvents(); }

void MapWindow::PaintMapWindow() { mapArea_->repaint(); }

int MapWindow::ScreenPixelWidth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 1024;
}

int MapWindow::ScreenPixelHeight() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 768;
}
