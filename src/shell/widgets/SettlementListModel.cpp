#include "shell/widgets/SettlementListModel.h"

#include "shell/widgets/WidgetKit.h"

void SettlementListModel::SetRows(std::vector<SettlementRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  shown_ = RowsMatching(rows_, {});
  endResetModel();
}

void SettlementListModel::Filter(const QString& text) {
  beginResetModel();
  shown_ = RowsMatching(rows_, text);
  endResetModel();
}

const SettlementRow* SettlementListModel::Row(int listRow) const {
  if (listRow < 0 || listRow >= static_cast<int>(shown_.size())) return nullptr;
  return &rows_[static_cast<size_t>(shown_[static_cast<size_t>(listRow)])];
}

int SettlementListModel::ListRowOf(const std::string& id) const {
  for (int i = 0; i < static_cast<int>(shown_.size()); ++i)
    if (Row(i)->Id == id) return i;
  return -1;
}

int SettlementListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int SettlementListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant SettlementListModel::data(const QModelIndex& index, int role) const {
  const SettlementRow* row = Row(index.row());
  if (!row) return {};
  if (role == Qt::ToolTipRole) return row->Where;
  if (role == Qt::TextAlignmentRole && index.column() == 2)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case 0: return row->Name;
    case 1: return row->Kind;
    case 2: return row->Population;
  }
  return {};
}

QVariant SettlementListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const captions[] = {"Название", "Тип", "Население"};
  return section >= 0 && section < 3 ? Ui(captions[section]) : QVariant();
}
