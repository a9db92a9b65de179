#include "shell/widgets/CityChooserWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QThread>
#include <QToolButton>

#include <vector>

#include "mapdata/LoadProgress.h"
#include "mapdata/NativeName.h"
#include "mapdata/PictureLoader.h"
#include "shell/CityAbout.h"
#include "shell/CityList.h"
#include "shell/import/CityNaming.h"
#include "shell/widgets/CityImportWindow.h"
#include "shell/widgets/HandlerGuard.h"
#include "shell/widgets/MapWindow.h"
#include "shell/widgets/WidgetKit.h"

static void InitShellResources() { Q_INIT_RESOURCE(resources); }

namespace {

constexpr int kClientWidth = 553;
constexpr int kClientHeight = 416;
constexpr int kCityNameRole = Qt::UserRole;      // the directory name's bytes
constexpr int kCityRootRole = Qt::UserRole + 1;  // the data root's path bytes

QString DisplayName(const std::string& dirName) { return PathToQString(NativePath(dirName)); }

QImage SplashPicture() {
  QFile file(":/tellurin/splash.jpg");
  if (!file.open(QIODevice::ReadOnly)) return {};
  QImage picture;
  DecodePicture("jpg", file.readAll().toStdString(), picture);
  return picture;
}

}  // namespace

CityChooserWindow::CityChooserWindow(const fs::path& dataRoot, QWidget* parent) : CityChooserWindow(std::vector<fs::path>{dataRoot}, parent) {}

CityChooserWindow::CityChooserWindow(std::vector<fs::path> dataRoots, QWidget* parent)
    : QWidget(parent), ImportRoot(ImportDataRoot(dataRoots, UserDataRoot())), dataRoots_(std::move(dataRoots)) {
  InitShellResources();
  RegisterStandardPictureDecoders();
  setObjectName("TForm1");
  setWindowTitle(Ui("Главное меню"));
  setFixedSize(kClientWidth, kClientHeight);
  UseWindowFont(this);
  BuildControls();
  BuildProgressPanel();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->availableGeometry();
    move(desk.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
  }
  ListCities();
  QCoreApplication::processEvents();
}

void CityChooserWindow::BuildControls() {
  CityListCaption = new QLabel(Ui("Выберите город:"), this);
  CityListCaption->setObjectName("Label1");
  CityListCaption->setGeometry(8, 8, 170, 16);

  ListView = new QListWidget(this);
  ListView->setObjectName("ListView");
  ListView->setToolTip(Ui("Выберите карту города"));
  ListView->setGeometry(8, 26, 170, 346);
  ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected, const QItemSelection& deselected) {
            RunGuarded(
                ListView->toolTip(),
                [&] {
                  for (const QModelIndex& i : deselected.indexes()) OnCityRowSelected(i.row(), false);
                  for (const QModelIndex& i : selected.indexes()) OnCityRowSelected(i.row(), true);
                },
                [this](const std::string& message) { Report(message); });
          });

  connect(ListView, &QListWidget::itemDoubleClicked, this, [this] { OnCityRowActivated(); });
  ListView->installEventFilter(this);

  CityNameLabel = new QLabel(Ui("Имя города"), this);
  CityNameLabel->setObjectName("Label2");
  CityNameLabel->setTextFormat(Qt::PlainText);  // the title as about.inf gives it
  QFont big = CityNameLabel->font();
  big.setBold(true);
  big.setPixelSize(20);
  CityNameLabel->setFont(big);
  CityNameLabel->setGeometry(190, 4, 355, 28);

  ImageCity = new QLabel(this);
  ImageCity->setObjectName("ImageCity");
  ImageCity->setScaledContents(true);
  ImageCity->setGeometry(190, 36, 355, 180);
  ImageCity->hide();

  MemoCityInfo = new QPlainTextEdit(Ui("Информация о городе."), this);
  MemoCityInfo->setObjectName("MemoCityInfo");
  MemoCityInfo->setToolTip(Ui("Информация о городе"));
  MemoCityInfo->setReadOnly(true);
  MemoCityInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoCityInfo->setGeometry(190, 222, 355, 150);

  AddCityButton = new QToolButton(this);
  AddCityButton->setObjectName("AddCityButton");
  AddCityButton->setText(Ui("Добавить город из OpenStreetMap…"));
  AddCityButton->setToolTip(Ui("Импортировать город из файла данных OpenStreetMap"));
  AddCityButton->setGeometry(8, 380, 220, 28);
  connect(AddCityButton, &QToolButton::clicked, this, [this] { OnAddCityClicked(); });

  Load = new QToolButton(this);
  Load->setObjectName("Load");
  Load->setText(Ui("Загрузить"));
  Load->setToolTip(Ui("Загрузить карту"));
  Load->setGeometry(370, 380, 85, 28);
  Load->setEnabled(false);
  connect(Load, &QToolButton::clicked, this, [this] { OnLoadClicked(); });

  Exit = new QToolButton(this);
  Exit->setObjectName("Exit");
  Exit->setText(Ui("Закрыть"));
  Exit->setToolTip(Ui("Закрыть программу"));
  Exit->setGeometry(460, 380, 85, 28);
  connect(Exit, &QToolButton::clicked, this, [this] { OnExitClicked(); });
}

void CityChooserWindow::BuildProgressPanel() {
  PanelStartImage = new QFrame(this);
  PanelStartImage->setObjectName("PanelStartImage");
  PanelStartImage->setGeometry(0, 0, kClientWidth, kClientHeight);
  PanelStartImage->setAutoFillBackground(true);
  PanelStartImage->hide();
  PanelStartImage->installEventFilter(this);

  ImageStart = new QLabel(PanelStartImage);
  ImageStart->setObjectName("ImageStart");
  ImageStart->setScaledContents(true);
  ImageStart->setPixmap(QPixmap::fromImage(SplashPicture()));

  LoadingCaption = new QLabel(Ui("Загружаются:"), PanelStartImage);
  LoadingCaption->setObjectName("Label3");
  LoadLabel = new QLabel("***", PanelStartImage);
  LoadLabel->setObjectName("LoadLabel");
  LoadLabel->setTextFormat(Qt::PlainText);
  // White on a dark strip: the splash is pale where the texts stand.
  for (QLabel* label : {LoadingCaption, LoadLabel}) {
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setStyleSheet("color: white; background-color: rgb(32, 48, 80); padding: 0px 6px;");
  }

  CityProgress = new QProgressBar(PanelStartImage);
  CityProgress->setObjectName("ProgressBar2");
  CityProgress->setRange(0, 12);
  StepProgress = new QProgressBar(PanelStartImage);
  StepProgress->setObjectName("ProgressBar1");
  StepProgress->setRange(0, 10);
  for (QProgressBar* bar : {CityProgress, StepProgress}) {
    bar->setValue(0);
    bar->setTextVisible(false);
    QPalette p = bar->palette();
    p.setColor(QPalette::Base, QColor(255, 255, 255));
    p.setColor(QPalette::Window, QColor(255, 255, 255));
    bar->setPalette(p);
  }
}

// The panel's children follow its size: the splash fills it, the step label
// and the two bars sit at its bottom.
bool CityChooserWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListView && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (ListView->currentItem()) OnCityRowActivated();
      return true;
    }
  }
  if (watched == PanelStartImage && event->type() == QEvent::Resize) {
    const int w = PanelStartImage->width();
    const int h = PanelStartImage->height();
    ImageStart->setGeometry(0, 0, w, h);
    // The two labels meet and make one strip as wide as the bars.
    LoadingCaption->setGeometry(16, h - 74, 112, 20);
    LoadLabel->setGeometry(128, h - 74, w - 144, 20);
    CityProgress->setGeometry(16, h - 50, w - 32, 14);
    StepProgress->setGeometry(16, h - 30, w - 32, 14);
  }
  return QWidget::eventFilter(watched, event);
}

void CityChooserWindow::ListCities() {
  const std::string shown = CityDirName;
  const bool selected = !ListView->selectedItems().isEmpty();
  {
    const QSignalBlocker quiet(ListView->selectionModel());
    ListView->clear();
    for (const CityLocation& city : FindCities(dataRoots_)) {
      auto* item = new QListWidgetItem(DisplayName(city.CityName), ListView);
      item->setData(kCityNameRole, QByteArray::fromStdString(city.CityName));
      item->setData(kCityRootRole, QByteArray::fromStdString(NativeString(city.DataRoot)));
    }
  }
  const int row = ListRowOf(shown);
  if (row >= 0 && selected)
    ListView->setCurrentRow(row);  // the selection follows and shows the city
  else if (row >= 0)
    ShowCity(row);
  else if (ListView->count() > 0)
    ShowCity(0);
  else
    ShowNoCity();
}

int CityChooserWindow::ListRowOf(const std::string& cityDirName) const {
  if (cityDirName.empty()) return -1;
  for (int i = 0; i < ListView->count(); ++i)
    if (ListView->item(i)->data(kCityNameRole).toByteArray().toStdString() == cityDirName) return i;
  return -1;
}

// The list went empty: nothing to show or load.
void CityChooserWindow::ShowNoCity() {
  CityDirName.clear();
  CityDataRoot.clear();
  cityTitle_.clear();
  ImageCity->hide();
  CityNameLabel->setText(Ui("Имя города"));
  MemoCityInfo->setPlainText(Ui("Информация о городе."));
  Load->setEnabled(false);
}

// Another program or window may have added or removed cities meanwhile.
void CityChooserWindow::showEvent(QShowEvent* event) {
  ListCities();
  QWidget::showEvent(event);
}

void CityChooserWindow::ShowCity(int index) {
  ImageCity->hide();
  const QListWidgetItem* item = ListView->item(index);
  if (!item) return;
  CityDirName = item->data(kCityNameRole).toByteArray().toStdString();
  CityDataRoot = NativePath(item->data(kCityRootRole).toByteArray().toStdString());
  const CityLocation city{CityDataRoot, CityDirName};

  const fs::path picture = city.File("Info/Picture.jpg");
  if (FileExists(picture)) {
    QImage image;
    std::string error;
    if (LoadPicture(picture, image, &error)) {
      ImageCity->setPixmap(QPixmap::fromImage(image));
      ImageCity->show();
    } else {
      Report(error);
    }
  }

  const fs::path about = city.File("Info/about.inf");
  if (!FileExists(about)) return;  // title, description and button stay as they were
  CityAbout info;
  std::string error;
  if (!ReadCityAbout(about, info, error)) {
    Report(error);
    return;
  }
  cityTitle_ = info.Title;
  QStringList description;
  for (const std::string& line : info.Description) description << FromCp(line);
  MemoCityInfo->setPlainText(description.join('\n'));
  CityNameLabel->setText(FromCp(cityTitle_));
  Load->setEnabled(true);
}

void CityChooserWindow::OnCityRowSelected(int index, bool) { ShowCity(index); }

void CityChooserWindow::OnLoadClicked() {
  PanelStartImage->setGeometry(rect());
  PanelStartImage->show();
  PanelStartImage->raise();
  PanelStartImage->repaint();
  const bool loaded = mapWindow_ ? mapWindow_->LoadCity(CityLocation{CityDataRoot, CityDirName}, cityTitle_) : false;
  QThread::msleep(100);
  if (loaded) {
    hide();
    mapWindow_->show();
  }
  PanelStartImage->hide();
}

void CityChooserWindow::OnCityRowActivated() {
  if (Load->isEnabled() && !PanelStartImage->isVisible()) OnLoadClicked();
}

void CityChooserWindow::SelectCity(const std::string& cityDirName) {
  const int row = ListRowOf(cityDirName);
  if (row >= 0) ListView->setCurrentRow(row);  // the selection follows and shows the city
}

void CityChooserWindow::OnExitClicked() { close(); }

void CityChooserWindow::ReturnFromMap() {
  PanelStartImage->setGeometry(0, 0, kClientWidth, kClientHeight);
  PanelStartImage->hide();
}

void CityChooserWindow::ShowProgress(const LoadProgress& progress) {
  if (!progressPacing_.Due(progress, StepProgress->width(), ProgressPacing::Clock::now())) return;
  LoadLabel->setText(QString::fromStdString(progress.LoadLabel));
  CityProgress->setRange(0, progress.Progress2Max);
  CityProgress->setValue(progress.Progress2Position);
  StepProgress->setRange(0, progress.Progress1Max);
  StepProgress->setValue(progress.Progress1Position);
  PanelStartImage->repaint();
}

void CityChooserWindow::AddCityFrom(QWidget* owner) {
  if (importWindow_) {
    importWindow_->raise();
    return;
  }
  const QString file = AskOsmFile ? AskOsmFile() : AskOsmFileDialog(owner);
  if (!file.isEmpty()) AddCityFromFile(owner, file);
}

void CityChooserWindow::AddCityFromFile(QWidget* owner, const QString& file) {
  if (importWindow_) {
    importWindow_->raise();
    return;
  }
  auto* window = new CityImportWindow(dataRoots_, ImportRoot, owner);
  window->MessageSink = MessageSink;
  window->AskReplace = AskReplace;
  window->CityAdded = [this](const std::string& name) { OpenAddedCity(name); };
  connect(window, &QDialog::finished, this, [this, window] {
    importWindow_ = nullptr;
    window->deleteLater();
    if (isVisible()) ListCities();
  });
  importWindow_ = window;
  window->open();
  window->ListPlacesOf(PathFromQString(file));
}

CityImportWindow* CityChooserWindow::ImportWindow() const { return importWindow_; }

namespace {

// Where extracts are downloaded to, else the home folder: a folder that is
// not there would stand in the dialog's file name field.
QString OsmFileDialogStart() {
  const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
  return !downloads.isEmpty() && QDir(downloads).exists() ? downloads : QDir::homePath();
}

}  // namespace

QString CityChooserWindow::AskOsmFileDialog(QWidget* owner) {
  return QFileDialog::getOpenFileName(owner, Ui("Файл данных OpenStreetMap"), OsmFileDialogStart(),
                                      Ui("Данные OpenStreetMap (*.osm *.osm.gz *.osm.bz2 *.osm.pbf);;Все файлы (*)"));
}

// The city is loaded as a click on «Загрузить» loads it, from this window,
// which shows the load's progress.
void CityChooserWindow::OpenAddedCity(const std::string& cityDirName) {
  if (mapWindow_ && mapWindow_->isVisible()) mapWindow_->OnMainMenuClicked();
  ListCities();
  SelectCity(cityDirName);
  if (CityDirName == cityDirName && CityDataRoot == ImportRoot && Load->isEnabled()) OnLoadClicked();
}

void CityChooserWindow::closeEvent(QCloseEvent* event) {
  if (importWindow_) importWindow_->StopAndWait();
  event->accept();
  if (EndProgram)
    EndProgram();
  else
    QCoreApplication::quit();
}

void CityChooserWindow::Report(const std::string& utf8Text) {
  if (MessageSink) {
    MessageSink(utf8Text);
    return;
  }
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), QString::fromStdString(utf8Text),
                  QMessageBox::Ok, isVisible() ? this : nullptr);
  box.setTextFormat(Qt::PlainText);  // messages quote file names and data
  box.exec();
}
