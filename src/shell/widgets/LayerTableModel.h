#pragma once
// A table of the map state as an item model, for the lists in report view.
// It holds no text: a cell is read from the table, and converted, when a view
// paints it, so a list of any length costs the view only its visible rows.
// Column c shows cell c - 1 of a row (the caption first); a cell's hint is its
// whole text, for a column too narrow to show it.  A sort keeps the
// table as it is and only orders the view's rows over it: each view row still
// stands for its table row, which the hidden lists and the selection go by.
#include <QAbstractTableModel>
#include <QStringList>

#include <cstdint>
#include <vector>

class LayerTable;

class LayerTableModel : public QAbstractTableModel {
 public:
  LayerTableModel(QStringList captions, QObject* parent);

  // Shows `table`; the rows are taken anew when it is another table or has
  // changed since it was last shown (then true).  A sort the user chose is
  // kept for the new rows.
  bool Show(const LayerTable& table);
  // The table row shown in view row `viewRow`; -1 outside the rows.
  int TableRow(int viewRow) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  // By a column (ListOrder); column -1 is the table's own order.  The
  // selection and the current row stay with their records.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

 private:
  std::vector<int> RowOrder() const;

  QStringList captions_;
  const LayerTable* table_ = nullptr;
  uint64_t shownRevision_ = 0;
  int rows_ = 0;  // the rows as last taken: the table may change before it is shown again
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
  std::vector<int> order_;  // view row -> table row while sorted; empty: the table's order
};
