#include "shell/widgets/DirectionsPanel.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

#include "route/DirectionsSession.h"
#include "shell/PanelFit.h"
#include "shell/widgets/WidgetKit.h"

QString DistanceText(double metres) {
  if (metres < 999.5) return Ui("%1 м").arg(std::llround(metres));
  return Ui("%1 км").arg(QString::number(metres / 1000, 'f', 1).replace('.', ','));
}

QString DurationText(double seconds) {
  const long long minutes = std::max<long long>(1, static_cast<long long>(std::ceil(seconds / 60 - 1e-9)));
  if (minutes < 60) return Ui("%1 мин").arg(minutes);
  return Ui("%1 ч %2 мин").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0'));
}

namespace {

QLabel* WrappedLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);  // street names are data
  label->setWordWrap(true);
  return label;
}

QTableWidget* MakeStepList(QWidget* parent) {
  auto* list = new QTableWidget(0, 3, parent);
  list->setObjectName("StepList");
  list->setHorizontalHeaderLabels({Ui("Улица"), Ui("Расстояние"), Ui("Поворот")});
  list->setToolTip(Ui("Шаги маршрута: выбранный показывается в середине карты"));
  list->verticalHeader()->hide();
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  list->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  return list;
}

// What the notice says while the route is not there to show.
QString NoticeOf(const DirectionsSession& s) {
  if (!s.Start()) return Ui("Откуда? «Маршрут отсюда» в меню карты (правая кнопка мыши).");
  if (!s.End()) return Ui("Куда? «Маршрут сюда» в меню карты или «Как добраться» для выделенного.");
  if (s.Answer() && !s.Answer()->Found) return QString::fromStdString(s.Answer()->Problem);
  return {};
}

void FillSteps(QTableWidget* list, const std::vector<RouteStep>& steps) {
  list->clearContents();
  list->setRowCount(static_cast<int>(steps.size()));
  for (int row = 0; row < static_cast<int>(steps.size()); ++row) {
    const RouteStep& step = steps[static_cast<size_t>(row)];
    const QString street = step.Street.empty() ? Ui("без названия") : FromCp(step.Street);
    list->setItem(row, 0, new QTableWidgetItem(street));
    list->setItem(row, 1, new QTableWidgetItem(DistanceText(step.Metres)));
    list->setItem(row, 2, new QTableWidgetItem(QString::fromUtf8(TurnWord(step.TurnOnto))));
  }
}

}  // namespace

DirectionsPanel::DirectionsPanel(QWidget* parent) : QDockWidget(Ui("Маршрут"), parent) {
  setObjectName("DirectionsPanel");
  setFeatures(QDockWidget::NoDockWidgetFeatures);  // cleared by its button or Esc, not closed or moved
  setAllowedAreas(Qt::RightDockWidgetArea);
  auto* body = new QWidget(this);
  body->setObjectName("DirectionsBody");
  body->setMinimumWidth(kLeastPanelWidth);
  auto* column = new QVBoxLayout(body);
  auto* modes = new QHBoxLayout();
  FootButton = new QRadioButton(Ui("Пешком"), body);
  FootButton->setObjectName("FootButton");
  CarButton = new QRadioButton(Ui("На машине"), body);
  CarButton->setObjectName("CarButton");
  ModeGroup = new QButtonGroup(this);
  ModeGroup->addButton(FootButton);
  ModeGroup->addButton(CarButton);
  FootButton->setChecked(true);
  modes->addWidget(FootButton);
  modes->addWidget(CarButton);
  modes->addStretch(1);
  column->addLayout(modes);
  TotalLabel = WrappedLabel(body, "RouteTotalLabel");
  NoticeLabel = WrappedLabel(body, "RouteNoticeLabel");
  column->addWidget(TotalLabel);
  column->addWidget(NoticeLabel);
  StepList = MakeStepList(body);
  column->addWidget(StepList, 1);
  ClearButton = new QPushButton(Ui("Сбросить маршрут"), body);
  ClearButton->setObjectName("ClearRouteButton");
  ClearButton->setToolTip(Ui("Убрать маршрут с карты (Esc)"));
  column->addWidget(ClearButton);
  setWidget(body);
}

void DirectionsPanel::ShowSession(const DirectionsSession& session) {
  const QSignalBlocker blockFoot(FootButton), blockCar(CarButton);
  (session.Mode() == TravelMode::Car ? CarButton : FootButton)->setChecked(true);
  const std::optional<RouteAnswer>& answer = session.Answer();
  const FoundRoute* route = answer && answer->Found ? &*answer->Found : nullptr;
  TotalLabel->setText(route ? DistanceText(route->Metres) + ", " + DurationText(route->Seconds) : QString());
  TotalLabel->setVisible(route != nullptr);
  const QString notice = NoticeOf(session);
  NoticeLabel->setText(notice);
  NoticeLabel->setVisible(!notice.isEmpty());
  const QSignalBlocker blockList(StepList);
  FillSteps(StepList, route ? route->Steps : std::vector<RouteStep>{});
}
