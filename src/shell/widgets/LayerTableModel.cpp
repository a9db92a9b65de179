#include "shell/widgets/LayerTableModel.h"

#include <utility>

#include "mapdata/Cp1251.h"
#include "mapdata/LayerTable.h"
#include "search/ListOrder.h"

LayerTableModel::LayerTableModel(QStringList captions, QObject* parent)
    : QAbstractTableModel(parent), captions_(std::move(captions)) {}

bool LayerTableModel::Show(const LayerTable& table) {
  if (table_ == &table && shownRevision_ == table.Revision()) return false;
  beginResetModel();
  table_ = &table;
  shownRevision_ = table.Revision();
  rows_ = table.Count();
  order_ = RowOrder();
  endResetModel();
  return true;
}

std::vector<int> LayerTableModel::RowOrder() const {
  if (!table_ || sortColumn_ < 0) return {};
  return SortedRows(*table_, sortColumn_ + kCaption,
                    sortOrder_ == Qt::AscendingOrder ? SortDirection::Ascending : SortDirection::Descending);
}

int LayerTableModel::TableRow(int viewRow) const {
  if (viewRow < 0 || viewRow >= rows_) return -1;
  if (order_.empty()) return viewRow;
  return static_cast<size_t>(viewRow) < order_.size() ? order_[static_cast<size_t>(viewRow)] : -1;
}

int LayerTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int LayerTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

QVariant LayerTableModel::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !table_ || !index.isValid()) return {};
  const int row = TableRow(index.row());
  // Between a change of the table and the next Show a paint may ask for rows
  // that are gone: they read as empty.
  if (row < 0 || row >= table_->Count()) return QString();
  const QString text = cp1251::ToQString(table_->CellAt(row, index.column() + kCaption));
  // A blank cell has no hint of its own: the list's hint shows.
  if (role == Qt::ToolTipRole && text.trimmed().isEmpty()) return {};
  return text;
}

QVariant LayerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= captions_.size()) return {};
  if (role == Qt::DisplayRole) return captions_[section];
  if (role == Qt::InitialSortOrderRole) return Qt::AscendingOrder;  // the first click sorts A to Я
  return {};
}

void LayerTableModel::sort(int column, Qt::SortOrder order) {
  if (column >= columnCount()) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  // The records behind the selection and the current row, to find them again.
  const QModelIndexList before = persistentIndexList();
  std::vector<int> records;
  records.reserve(static_cast<size_t>(before.size()));
  for (const QModelIndex& index : before) records.push_back(TableRow(index.row()));

  sortColumn_ = column < 0 ? -1 : column;
  sortOrder_ = order;
  order_ = RowOrder();

  std::vector<int> viewRowOf(order_.size(), -1);
  for (size_t i = 0; i < order_.size(); ++i) viewRowOf[static_cast<size_t>(order_[i])] = static_cast<int>(i);
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    const int record = records[static_cast<size_t>(i)];
    int viewRow = record;
    if (!order_.empty()) viewRow = record >= 0 && record < static_cast<int>(order_.size()) ? viewRowOf[record] : -1;
    after.push_back(viewRow < 0 || viewRow >= rows_ ? QModelIndex() : index(viewRow, before[i].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
