#include "shell/widgets/WhatIsHereWindow.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "shell/widgets/WidgetKit.h"

WhatIsHereWindow::WhatIsHereWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("WhatIsHereWindow");
  setWindowTitle(Ui("Что здесь?"));
  UseWindowFont(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(3);
  PointLabel = new QLabel(this);
  PointLabel->setObjectName("PointLabel");
  PointLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A few rows in the order of drawing, top first: items of their own, unsorted.
  const std::vector<ReportColumn> columns = ReportColumns(kPlaceColumns, {100, 170, 160});
  PlaceList = new QTableWidget(0, static_cast<int>(columns.size()), this);
  QStringList captions;
  for (const ReportColumn& c : columns) captions << c.Caption;
  PlaceList->setHorizontalHeaderLabels(captions);
  StyleReportList(PlaceList, "PlaceList", QString(), columns);
  PlaceList->installEventFilter(this);
  CountLabel = new QLabel(this);
  CountLabel->setObjectName("CountLabel");
  layout->addWidget(PointLabel);
  layout->addWidget(PlaceList, 1);
  layout->addWidget(CountLabel);
  resize(kNarrowest, 200);

  connect(PlaceList, &QTableWidget::cellClicked, this, [this](int row, int) { Choose(row, false); });
  connect(PlaceList, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { Choose(row, true); });
}

void WhatIsHereWindow::ShowPlaces(std::vector<Place> places, const QString& coordinates, QPoint near,
                                  QPoint clearOf) {
  places_ = std::move(places);
  PointLabel->setText(Ui("Координаты: ") + coordinates);
  PlaceList->clearContents();
  PlaceList->setRowCount(static_cast<int>(places_.size()));
  for (int r = 0; r < PlaceList->rowCount(); ++r) {
    const Place& p = places_[static_cast<size_t>(r)];
    const QString texts[] = {FromCp(p.Kind), FromCp(p.Name), FromCp(p.Address)};
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem(texts[c]);
      // As in the side lists: a cell too narrow for its text still tells it.
      if (!texts[c].trimmed().isEmpty()) item->setToolTip(texts[c]);
      // A region is shown for what it tells; nothing selects one.
      if (!CanChoose(p)) item->setFlags(Qt::ItemIsEnabled);
      PlaceList->setItem(r, c, item);
    }
  }
  CountLabel->setText(places_.empty() ? Ui("Здесь ничего нет.")
                                      : Ui("Найдено: ") + QString::number(places_.size()));
  FitColumnsToTexts(near);

  // Beside the point, on its side away from `clearOf`, kept on the screen.
  QPoint at(near.x() >= clearOf.x() ? near.x() + 16 : near.x() - 16 - width(),
            near.y() >= clearOf.y() ? near.y() + 16 : near.y() - 16 - height());
  const QRect free = ScreenNear(near)->availableGeometry();
  at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() - width())));
  at.setY(std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() - height())));
  move(at);
  show();
  raise();
  activateWindow();
}

// The screen showing `near`; for a point off every screen (the map window
// partly outside them), the one this window is on.
const QScreen* WhatIsHereWindow::ScreenNear(QPoint near) const {
  const QScreen* screen = QGuiApplication::screenAt(near);
  return screen ? screen : this->screen();
}

// Each column as wide as its caption and its widest text, as the side lists
// have them, and the window as wide as the columns (within half the screen);
// room to spare goes to the names, not to an empty address column.
void WhatIsHereWindow::FitColumnsToTexts(QPoint near) {
  PlaceList->resizeColumnsToContents();
  int columns = 0;
  for (int c = 0; c < PlaceList->columnCount(); ++c) columns += PlaceList->columnWidth(c);
  const QMargins margins = layout()->contentsMargins();
  const int wanted = columns + margins.left() + margins.right() + 2 * PlaceList->frameWidth() +
                     PlaceList->verticalScrollBar()->sizeHint().width();
  const int widest = std::max(kNarrowest, ScreenNear(near)->availableGeometry().width() / 2);
  resize(std::clamp(wanted, kNarrowest, widest), height());
  if (width() > wanted) PlaceList->setColumnWidth(kNameColumn, PlaceList->columnWidth(kNameColumn) + width() - wanted);
}

void WhatIsHereWindow::Choose(int row, bool centre) {
  if (row < 0 || row >= static_cast<int>(places_.size()) || !OnChoose) return;
  OnChoose(places_[static_cast<size_t>(row)], centre);
}

// Enter chooses the current row as a double click does.
bool WhatIsHereWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PlaceList && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Choose(PlaceList->currentRow(), true);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void WhatIsHereWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    hide();
  else
    QWidget::keyPressEvent(event);
}
