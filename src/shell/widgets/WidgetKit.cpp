#include "shell/widgets/WidgetKit.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTableView>
#include <QToolButton>

#include "mapdata/Cp1251.h"
#include "mapdata/LayerTable.h"
#include "shell/widgets/LayerTableModel.h"

void UseWindowFont(QWidget* window) {
  QFont f = window->font();
  f.setPixelSize(11);
  window->setFont(f);
}

QString Ui(const char* utf8) { return QString::fromUtf8(utf8); }
QString FromCp(std::string_view cp1251) { return cp1251::ToQString(cp1251); }
std::string ToCp(const QString& text) { return cp1251::FromQStringClosest(text); }

namespace {

void DrawMagnifier(QPainter& p, QColor color) {
  p.setPen(QPen(color, 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(2.5, 2.5, 9, 9));
  p.setPen(QPen(color, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11, 11), QPointF(15, 15));
}

void DrawGlyph(QPainter& p, Glyph glyph) {
  p.setRenderHint(QPainter::Antialiasing);
  switch (glyph) {
    case Glyph::Text: {
      QFont f("DejaVu Serif");
      f.setPixelSize(15);
      f.setBold(true);
      p.setFont(f);
      p.setPen(QColor(0, 0, 128));
      p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, "A");
      break;
    }
    case Glyph::Objects:
      p.setPen(QPen(QColor(128, 0, 0), 1));
      p.setBrush(QColor(255, 64, 64));
      p.drawEllipse(QRectF(4, 1.5, 10, 10));
      p.drawLine(QPointF(9, 11.5), QPointF(9, 17));
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(7, 4.5, 4, 4));
      break;
    case Glyph::ListSearch:
      p.setPen(QColor(64, 64, 64));
      for (int y = 3; y <= 15; y += 4) p.drawLine(1, y, 9, y);
      DrawMagnifier(p, QColor(0, 0, 160));
      break;
    case Glyph::FirmSearch:
      p.setPen(QColor(64, 64, 64));
      p.setBrush(QColor(255, 220, 120));
      p.drawRect(QRectF(1.5, 6.5, 8, 10));
      DrawMagnifier(p, QColor(0, 110, 0));
      break;
    case Glyph::Search:
      DrawMagnifier(p, QColor(0, 0, 160));
      break;
    case Glyph::AddWord:
      p.setPen(QPen(QColor(0, 128, 0), 3));
      p.drawLine(9, 3, 9, 15);
      p.drawLine(3, 9, 15, 9);
      break;
    case Glyph::Close:
      p.setPen(QPen(QColor(96, 96, 96), 2));
      p.drawLine(4, 4, 12, 12);
      p.drawLine(12, 4, 4, 12);
      break;
    case Glyph::Open: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(64, 64, 64));
      QPainterPath arrow;
      arrow.moveTo(5, 3);
      arrow.lineTo(12, 8);
      arrow.lineTo(5, 13);
      arrow.closeSubpath();
      p.drawPath(arrow);
      break;
    }
    case Glyph::WholeCity:
      // A block of streets inside the four corners of a frame.
      p.setPen(QPen(QColor(120, 120, 120), 1));
      p.setBrush(QColor(255, 176, 140));
      p.drawRect(QRectF(5.5, 5.5, 7, 7));
      p.drawLine(QPointF(9, 5.5), QPointF(9, 12.5));
      p.drawLine(QPointF(5.5, 9), QPointF(12.5, 9));
      p.setPen(QPen(QColor(0, 0, 128), 1.5));
      for (const QPointF& corner : {QPointF(1.5, 1.5), QPointF(16.5, 1.5), QPointF(1.5, 16.5), QPointF(16.5, 16.5)}) {
        const qreal dx = corner.x() < 9 ? 4 : -4, dy = corner.y() < 9 ? 4 : -4;
        p.drawLine(corner, corner + QPointF(dx, 0));
        p.drawLine(corner, corner + QPointF(0, dy));
      }
      break;
    case Glyph::Plus:
    case Glyph::None:
      break;
  }
}

}  // namespace

QIcon GlyphIcon(Glyph glyph) {
  if (glyph == Glyph::None || glyph == Glyph::Plus) return {};
  const int side = (glyph == Glyph::Close || glyph == Glyph::Open) ? 16 : 18;
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  DrawGlyph(p, glyph);
  return QIcon(pixmap);
}

QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& hint, Glyph glyph, bool latching) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAutoRaise(!latching);
  button->setCheckable(latching);
  if (glyph == Glyph::Plus)
    button->setText("+");
  else
    button->setIcon(GlyphIcon(glyph));
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

QTableView* MakeReportList(QWidget* parent, const char* name, const QString& hint,
                           const std::vector<ReportColumn>& columns) {
  auto* list = new QTableView(parent);
  QStringList captions;
  for (const ReportColumn& c : columns) captions << c.Caption;
  list->setModel(new LayerTableModel(captions, list));
  StyleReportList(list, name, hint, columns);
  list->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // no sort until a header is clicked
  list->setSortingEnabled(true);
  return list;
}

void StyleReportList(QTableView* list, const char* name, const QString& hint,
                     const std::vector<ReportColumn>& columns) {
  list->setObjectName(name);
  list->setToolTip(hint);
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) list->setColumnWidth(i, columns[i].Width);
  QHeaderView* header = list->horizontalHeader();
  header->setMinimumSectionSize(30);
  header->setHighlightSections(false);
  list->verticalHeader()->setVisible(false);
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(18);
  list->setShowGrid(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setWordWrap(false);
}

void ShowTable(QTableView* list, const LayerTable& table) {
  // New rows: each column as wide as its caption and the widest of its texts
  // (the header weighs a bounded number of rows, so a long list costs little).
  if (static_cast<LayerTableModel*>(list->model())->Show(table) && table.Count() > 0)
    list->resizeColumnsToContents();
}

int SelectedTableRow(const QTableView* list) {
  int first = -1;
  for (const QModelIndex& cell : list->selectionModel()->selectedIndexes())
    if (first < 0 || cell.row() < first) first = cell.row();
  return static_cast<const LayerTableModel*>(list->model())->TableRow(first);
}
