#include "shell/widgets/CityImportWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "mapdata/NativeName.h"
#include "shell/import/CityNaming.h"
#include "shell/import/ImportSteps.h"
#include "shell/widgets/SettlementListModel.h"
#include "shell/widgets/WidgetKit.h"

namespace {

QString NameProblem(CityNameUse use) {
  switch (use) {
    case CityNameUse::Free:
    case CityNameUse::Taken: return {};
    case CityNameUse::NotAFolderName:
      return Ui("Имя не годится для папки: оно не пустое, не начинается с точки, не кончается точкой или "
                "пробелом и не содержит знаков / \\ < > : \" | ? *");
    case CityNameUse::Hidden: return Ui("Город с таким именем уже есть в списке, выберите другое имя");
  }
  return {};
}

}  // namespace

CityImportWindow::CityImportWindow(std::vector<std::filesystem::path> listedRoots, std::filesystem::path importRoot,
                                   QWidget* parent)
    : QDialog(parent), listedRoots_(std::move(listedRoots)), importRoot_(std::move(importRoot)) {
  setObjectName("CityImportWindow");
  setWindowTitle(Ui("Добавить город из OpenStreetMap"));
  UseWindowFont(this);
  BuildControls();
  ConnectHandlers();
  resize(500, 480);
}

CityImportWindow::~CityImportWindow() { StopAndWait(); }

void CityImportWindow::BuildControls() {
  FileLabel = new QLabel(this);
  FileLabel->setObjectName("FileLabel");
  FileLabel->setTextFormat(Qt::PlainText);
  FileLabel->setWordWrap(true);

  FilterCaption = new QLabel(Ui("Найти:"), this);
  FilterCaption->setObjectName("FilterCaption");
  PlaceFilter = new QLineEdit(this);
  PlaceFilter->setObjectName("PlaceFilter");
  PlaceFilter->setToolTip(Ui("Часть названия населённого пункта"));
  PlaceFilter->setClearButtonEnabled(true);
  FilterCaption->setBuddy(PlaceFilter);

  model_ = new SettlementListModel(this);
  PlaceList = new QTableView(this);
  PlaceList->setModel(model_);
  StyleReportList(PlaceList, "PlaceList", Ui("Населённые пункты файла, крупные первыми"),
                  {{Ui("Название"), 200}, {Ui("Тип"), 150}, {Ui("Население"), 90}});
  PlaceList->horizontalHeader()->setStretchLastSection(true);

  CityNameCaption = new QLabel(Ui("Имя города:"), this);
  CityNameCaption->setObjectName("CityNameCaption");
  CityNameField = new QLineEdit(this);
  CityNameField->setObjectName("CityNameField");
  CityNameField->setToolTip(Ui("Под этим именем город появится в списке городов"));
  CityNameCaption->setBuddy(CityNameField);
  NameProblemLabel = new QLabel(this);
  NameProblemLabel->setObjectName("NameProblemLabel");
  NameProblemLabel->setTextFormat(Qt::PlainText);
  NameProblemLabel->setWordWrap(true);
  NameProblemLabel->setStyleSheet("color: rgb(160, 0, 0);");
  NameProblemLabel->hide();

  StepLabel = new QLabel(this);
  StepLabel->setObjectName("StepLabel");
  StepLabel->setTextFormat(Qt::PlainText);
  ImportProgress = new QProgressBar(this);
  ImportProgress->setObjectName("ImportProgress");
  ImportProgress->setRange(0, 100);
  ImportProgress->setValue(0);
  ImportProgress->setFormat("%p %");

  ImportButton = new QPushButton(Ui("Добавить"), this);
  ImportButton->setObjectName("ImportButton");
  ImportButton->setToolTip(Ui("Импортировать выбранный населённый пункт как город"));
  ImportButton->setDefault(true);
  CancelButton = new QPushButton(Ui("Отмена"), this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setToolTip(Ui("Остановить работу или закрыть окно"));

  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(FilterCaption);
  filterRow->addWidget(PlaceFilter, 1);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(CityNameCaption);
  nameRow->addWidget(CityNameField, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ImportButton);
  buttons->addWidget(CancelButton);
  auto* column = new QVBoxLayout(this);
  column->addWidget(FileLabel);
  column->addLayout(filterRow);
  column->addWidget(PlaceList, 1);
  column->addLayout(nameRow);
  column->addWidget(NameProblemLabel);
  column->addWidget(StepLabel);
  column->addWidget(ImportProgress);
  column->addLayout(buttons);
}

void CityImportWindow::ConnectHandlers() {
  connect(PlaceFilter, &QLineEdit::textChanged, this, [this](const QString& text) { OnFilterEdited(text); });
  connect(PlaceList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { OnPlaceChosen(); });
  connect(PlaceList, &QTableView::doubleClicked, this, [this] { OnImportClicked(); });
  connect(CityNameField, &QLineEdit::textChanged, this, [this] { OnCityNameEdited(); });
  connect(ImportButton, &QPushButton::clicked, this, [this] { OnImportClicked(); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { OnCancelClicked(); });
  connect(&work_, &BackgroundImport::Progress, this, [this](int step, int percent) { OnProgress(step, percent); },
          Qt::QueuedConnection);
  connect(&work_, &BackgroundImport::Listed, this, [this] { OnListed(); });
  connect(&work_, &BackgroundImport::Imported, this, [this] { OnImported(); });
}

void CityImportWindow::ListPlacesOf(const std::filesystem::path& input) {
  input_ = input;
  FileLabel->setText(Ui("Файл: ") + PathToQString(input));
  model_->SetRows({});
  ShowWorking(true);
  ShowStep(ImportStep::ListingPlaces, 0);
  work_.ListPlaces(input);
}

// While the work runs only «Отмена» acts; the step and percentage show.
void CityImportWindow::ShowWorking(bool working) {
  for (QWidget* w : std::initializer_list<QWidget*>{PlaceFilter, PlaceList, CityNameField})
    w->setEnabled(!working);
  ImportButton->setEnabled(!working && ChosenRow() && NameProblemLabel->isHidden());
  CancelButton->setEnabled(true);
  ImportProgress->setVisible(working);
  if (!working) StepLabel->clear();
}

void CityImportWindow::OnProgress(int step, int percent) {
  if (Working() && CancelButton->isEnabled()) ShowStep(static_cast<ImportStep>(step), percent);
}

void CityImportWindow::ShowStep(ImportStep step, int percent) {
  StepLabel->setText(ProgressText(step, percent));
  ImportProgress->setValue(percent);
}

void CityImportWindow::OnListed() {
  if (closeWhenStopped_ || work_.ListingStopped()) {
    done(QDialog::Rejected);
    return;
  }
  if (work_.ListingFailed()) {
    Report(work_.ListingError());
    done(QDialog::Rejected);
    return;
  }
  model_->SetRows(SettlementRows(input_, work_.Settlements()));
  ShowWorking(false);
  // The most important settlement first; the whole file when there is none.
  PlaceList->selectRow(model_->rowCount() > 1 ? 1 : 0);
  PlaceFilter->setFocus();
}

void CityImportWindow::OnFilterEdited(const QString& text) {
  const SettlementRow* chosen = ChosenRow();
  const std::string id = chosen ? chosen->Id : std::string();
  model_->Filter(text);
  // The chosen row stays chosen while the filter keeps it; else the first settlement kept.
  const int kept = chosen ? model_->ListRowOf(id) : -1;
  PlaceList->selectRow(kept >= 0 ? kept : model_->rowCount() > 1 ? 1 : 0);
}

const SettlementRow* CityImportWindow::ChosenRow() const {
  const QModelIndexList rows = PlaceList->selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : model_->Row(rows.front().row());
}

// The field follows the chosen row unless the user has written a name of their own.
void CityImportWindow::OnPlaceChosen() {
  const SettlementRow* row = ChosenRow();
  if (row && (CityNameField->text().isEmpty() || CityName() == offeredName_)) {
    offeredName_ = row->CityName;
    CityNameField->setText(QString::fromUtf8(offeredName_.data(), static_cast<qsizetype>(offeredName_.size())));
    offeredName_ = CityName();  // as the field holds it (bytes that are not UTF-8 replaced)
  }
  OnCityNameEdited();
}

std::string CityImportWindow::CityName() const { return CityNameField->text().trimmed().toStdString(); }

void CityImportWindow::OnCityNameEdited() {
  const QString problem = NameProblem(UseOfCityName(listedRoots_, importRoot_, CityName()));
  NameProblemLabel->setText(problem);
  NameProblemLabel->setVisible(!problem.isEmpty());
  ImportButton->setEnabled(!Working() && ChosenRow() && problem.isEmpty());
}

void CityImportWindow::OnImportClicked() {
  const SettlementRow* row = ChosenRow();
  const std::string name = CityName();
  const CityNameUse use = UseOfCityName(listedRoots_, importRoot_, name);
  if (Working() || !row || !NameProblem(use).isEmpty()) return;
  // Asked before the work starts: the old city stays whole whatever happens next.
  if (use == CityNameUse::Taken && !ReplaceAgreed(name)) return;
  importedName_ = name;
  ShowWorking(true);
  ShowStep(ImportStep::ReadingRelations, 0);
  work_.Import(WindowImportOptions(input_, row->Id, name, importRoot_, use == CityNameUse::Taken));
}

void CityImportWindow::OnImported() {
  const ImportResult& result = work_.Result();
  ShowWorking(false);
  if (result.Result == ImportResult::Outcome::Imported) {
    // Closed first: the city then loads with this window out of the way.
    std::function<void(const std::string&)> added;
    if (!closeWhenStopped_) added = CityAdded;
    const std::string name = importedName_;
    done(QDialog::Accepted);
    if (added) added(name);
    return;
  }
  if (closeWhenStopped_) {
    done(QDialog::Rejected);
    return;
  }
  if (result.Result == ImportResult::Outcome::Cancelled)
    StepLabel->setText(Ui("Импорт остановлен, город не добавлен."));
  else
    Report("Город «" + importedName_ + "» не добавлен:\n" + result.Error);
}

// «Отмена» stops the work; a stopped listing leaves nothing to choose from, so
// the window closes after it.  With nothing running it closes the window.
void CityImportWindow::OnCancelClicked() {
  if (!Working()) {
    done(QDialog::Rejected);
    return;
  }
  closeWhenStopped_ = closeWhenStopped_ || !model_->rowCount();
  work_.Stop();
  CancelButton->setEnabled(false);
  StepLabel->setText(Ui("Остановка…"));
}

// Esc and the close box: the work stops first, and the window closes when it has ended.
void CityImportWindow::reject() {
  if (!Working()) {
    QDialog::reject();
    return;
  }
  closeWhenStopped_ = true;
  OnCancelClicked();
}

void CityImportWindow::StopAndWait() {
  work_.Stop();
  work_.Wait();
}

void CityImportWindow::Report(const std::string& utf8Text) {
  if (MessageSink) {
    MessageSink(utf8Text);
    return;
  }
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), QString::fromStdString(utf8Text),
                  QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool CityImportWindow::ReplaceAgreed(const std::string& name) {
  if (AskReplace) return AskReplace(name);
  QMessageBox box(QMessageBox::Question, windowTitle(),
                  Ui("Город «%1» уже есть. Заменить его новым?").arg(QString::fromStdString(name)),
                  QMessageBox::Yes | QMessageBox::No, this);
  box.setDefaultButton(QMessageBox::No);
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Yes;
}
