#pragma once
// The import window's list of settlements: the rows the filter keeps, over
// the rows made once per file (shell/import/SettlementRows.h).  Columns:
// name, kind, population; a row's hint gives its coordinates.
#include <QAbstractTableModel>

#include <vector>

#include "shell/import/SettlementRows.h"

class SettlementListModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetRows(std::vector<SettlementRow> rows);
  void Filter(const QString& text);
  // The row shown at `listRow`, nullptr outside the list.
  const SettlementRow* Row(int listRow) const;
  // The list row showing the settlement `id` ("" for the whole file), -1 when filtered out.
  int ListRowOf(const std::string& id) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<SettlementRow> rows_;
  std::vector<int> shown_;  // indexes into rows_
};
