#pragma once
// A table of text rows, the form in which every layer, every result list and the
// draw list are held: a caption (the first column) and ordered text cells.  A
// record is known everywhere by its row index.  Texts are Windows-1251 bytes.
#include <cstdint>
#include <string>
#include <vector>

// The cell number of a row's caption; SubItems are cells 0, 1, ...
// (CityColumns.h names every cell of every table).
constexpr int kCaption = -1;

// What an absent cell reads as.
const std::string& EmptyCell();

struct LayerRow {
  std::string Caption;
  std::vector<std::string> SubItems;

  // Cell by number (kCaption: the caption); an absent cell reads as the empty text.
  const std::string& Cell(int cell) const {
    if (cell == kCaption) return Caption;
    return cell >= 0 && static_cast<size_t>(cell) < SubItems.size() ? SubItems[static_cast<size_t>(cell)] : EmptyCell();
  }
  // The cell itself, for writing; the row must have it.
  std::string& At(int cell) { return cell == kCaption ? Caption : SubItems.at(static_cast<size_t>(cell)); }
};

class LayerTable {
 public:
  // Name as the system knows it ("ListOfStreets"); column captions are UTF-8,
  // the first one is the caption column.
  LayerTable(std::string name, std::vector<std::string> columnCaptions);

  const std::string& Name() const { return name_; }
  const std::vector<std::string>& Columns() const { return columns_; }

  int Count() const { return static_cast<int>(rows_.size()); }
  bool Empty() const { return rows_.empty(); }
  LayerRow& Add();
  LayerRow& Add(std::string caption);
  // A row of `cells` empty cells after its empty caption, to be filled by name.
  LayerRow& AddCells(int cells);
  LayerRow& operator[](int index) { return rows_[static_cast<size_t>(index)]; }
  const LayerRow& operator[](int index) const { return rows_[static_cast<size_t>(index)]; }
  // Cell `cell` of row `row`; the empty text when the table has no such row.
  const std::string& CellAt(int row, int cell) const {
    return row >= 0 && row < Count() ? rows_[static_cast<size_t>(row)].Cell(cell) : EmptyCell();
  }
  void Clear();

  std::vector<LayerRow>& Rows() { return rows_; }
  const std::vector<LayerRow>& Rows() const { return rows_; }

  // Grows with every change, so that views of the table know when to refill.
  uint64_t Revision() const { return revision_; }
  void Touch() { ++revision_; }

 private:
  std::string name_;
  std::vector<std::string> columns_;
  std::vector<LayerRow> rows_;
  uint64_t revision_ = 0;
};
