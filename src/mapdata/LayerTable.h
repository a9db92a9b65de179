#pragma once
// A table of text rows, the form in which every layer, every result list and the
// draw list are held: a caption (the first column) and ordered text cells.  A
// record is known everywhere by its row index.  Texts are Windows-1251 bytes.
//
// Storage is compact, since a big city has millions of cells: the rows are
// packed one after another into the table's own buffer (blocks of 64 KiB), each
// cell a length prefix and its bytes, so that a cell costs one or two bytes
// beyond its text instead of a string of its own.  A cell that repeats the same
// cell of the row before (the file of a layer's rows, the kind of a result) is
// stored as a reference to that text.  Cells are read as views into the buffer,
// valid until the table changes.
//
// Rows are written in one of two ways: AddRow hands over every cell at once
// (the loaders), or Add / AddCells open a draft row whose cells are written
// through the reference they return; the draft is packed when the next row is
// added or the table is changed otherwise.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The cell number of a row's caption; the other cells are numbered 0, 1, ...
// (CityColumns.h names every cell of every table).
constexpr int kCaption = -1;

class LayerTable;

// A row being written: its caption and cells as strings.
struct RowDraft {
  std::string Caption;
  std::vector<std::string> SubItems;

  // Cell by number (kCaption: the caption); an absent cell reads as the empty text.
  std::string_view Cell(int cell) const {
    if (cell == kCaption) return Caption;
    return cell >= 0 && static_cast<size_t>(cell) < SubItems.size() ? std::string_view(SubItems[static_cast<size_t>(cell)])
                                                                     : std::string_view();
  }
  // The cell itself, for writing; the row must have it.
  std::string& At(int cell) { return cell == kCaption ? Caption : SubItems.at(static_cast<size_t>(cell)); }
};

// A row of a table, as read: a view that names its table and index.
class LayerRow {
 public:
  LayerRow(const LayerTable& table, int index) : table_(&table), index_(index) {}
  // Cell by number (kCaption: the caption); an absent cell reads as the empty text.
  std::string_view Cell(int cell) const;
  // The cells after the caption: how many, and copies of them.
  int CellCount() const;
  std::vector<std::string> SubItems() const;
  int Index() const { return index_; }

 private:
  const LayerTable* table_;
  int index_;
};

class LayerTable {
 public:
  // Name as the system knows it ("ListOfStreets"); column captions are UTF-8,
  // the first one is the caption column.
  LayerTable(std::string name, std::vector<std::string> columnCaptions);
  LayerTable(LayerTable&&) = default;
  LayerTable& operator=(LayerTable&&) = default;

  const std::string& Name() const { return name_; }
  const std::vector<std::string>& Columns() const { return columns_; }

  int Count() const { return static_cast<int>(rowAt_.size()) + (draft_ ? 1 : 0); }
  bool Empty() const { return Count() == 0; }

  // A row of the given cells, the caption first, packed at once.
  void AddRow(std::span<const std::string_view> captionAndCells);
  void AddRow(std::initializer_list<std::string_view> captionAndCells) {
    AddRow(std::span<const std::string_view>(captionAndCells.begin(), captionAndCells.size()));
  }
  // A draft row: empty, with a caption, or with `cells` empty cells after its
  // empty caption, to be filled by name.
  RowDraft& Add();
  RowDraft& Add(std::string caption);
  RowDraft& AddCells(int cells);
  // The last row as a draft, for writing more into it.  The table must have a row.
  RowDraft& Last();

  LayerRow operator[](int index) const { return LayerRow(*this, index); }
  // Cell `cell` of row `row`; the empty text when the table has no such row or cell.
  std::string_view CellAt(int row, int cell) const;
  // The number of cells of a row after its caption.
  int CellCountAt(int row) const;
  // Replaces one cell of a row.
  void SetCell(int row, int cell, std::string_view text);

  // Puts the rows in the order of `before`, keeping equal rows in their order.
  void StableSort(const std::function<bool(const LayerRow&, const LayerRow&)>& before);

  void Clear();

  // Bytes held by the table (buffer blocks and row index), for the city's figures.
  size_t BytesHeld() const;

  // Every row in order, for range-for.
  class RowRange {
   public:
    struct Iterator {
      const LayerTable* Table;
      int Index;
      LayerRow operator*() const { return LayerRow(*Table, Index); }
      Iterator& operator++() { ++Index; return *this; }
      bool operator!=(const Iterator& other) const { return Index != other.Index; }
    };
    explicit RowRange(const LayerTable& table) : table_(&table) {}
    Iterator begin() const { return {table_, 0}; }
    Iterator end() const { return {table_, table_->Count()}; }

   private:
    const LayerTable* table_;
  };
  RowRange Rows() const { return RowRange(*this); }

  // Grows with every change, so that views of the table know when to refill.
  uint64_t Revision() const { return revision_; }
  void Touch() { ++revision_; }

 private:
  struct CellText {
    uint32_t At;  // where the text lies (block and offset, as rowAt_)
    uint32_t Size;
  };

  void Seal();
  uint32_t Pack(std::span<const std::string_view> captionAndCells);
  char* Place(size_t bytes, uint32_t& at);
  const char* Address(uint32_t at) const;
  bool SameAsPrevious(size_t cell, std::string_view text) const;

  std::string name_;
  std::vector<std::string> columns_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::vector<size_t> blockSizes_;
  size_t lastBlockUsed_ = 0;
  std::vector<uint32_t> rowAt_;        // each packed row's place: block << 16 | offset
  std::vector<CellText> previousRow_;  // the cells of the row packed last
  std::vector<CellText> packedScratch_;
  std::vector<char> referenceScratch_;
  std::optional<RowDraft> draft_;      // the row last added, while it is a draft
  uint64_t revision_ = 0;
};

// Two cells joined by one space: an address (street and number), a hint line.
std::string JoinedWithSpace(std::string_view first, std::string_view second);

inline std::string_view LayerRow::Cell(int cell) const { return table_->CellAt(index_, cell); }
inline int LayerRow::CellCount() const { return table_->CellCountAt(index_); }
