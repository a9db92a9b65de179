#include "mapdata/LayerTable.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <stdexcept>

namespace {

// Rows are packed into blocks of this size; a row that is larger gets a block
// of its own.  A place in the buffer is the block's index (16 bits) and the
// offset in it (16 bits).
constexpr size_t kBlockBytes = size_t{1} << 16;
constexpr size_t kMaxBlocks = size_t{1} << 16;
// A text that cannot be named by a place (it lies beyond the first 64 KiB of a
// large row's block) is never referred to.
constexpr uint32_t kNoPlace = UINT32_MAX;
// Shorter repeats are cheaper stored again than referred to.
constexpr size_t kShortestReference = 4;

size_t VarintSize(uint64_t v) {
  size_t n = 1;
  while (v >= 0x80) {
    v >>= 7;
    ++n;
  }
  return n;
}

char* PutVarint(char* p, uint64_t v) {
  while (v >= 0x80) {
    *p++ = static_cast<char>((v & 0x7F) | 0x80);
    v >>= 7;
  }
  *p++ = static_cast<char>(v);
  return p;
}

uint64_t GetVarint(const char*& p) {
  uint64_t v = 0;
  int shift = 0;
  for (;;) {
    const auto byte = static_cast<unsigned char>(*p++);
    v |= uint64_t{byte & 0x7Fu} << shift;
    if (byte < 0x80) return v;
    shift += 7;
  }
}

// A cell's head: its length, and whether a reference follows instead of the bytes.
uint64_t CellHead(size_t size, bool reference) { return (uint64_t{size} << 1) | (reference ? 1 : 0); }

}  // namespace

LayerTable::LayerTable(std::string name, std::vector<std::string> columnCaptions)
    : name_(std::move(name)), columns_(std::move(columnCaptions)) {}

const char* LayerTable::Address(uint32_t at) const { return blocks_[at >> 16].get() + (at & 0xFFFF); }

char* LayerTable::Place(size_t bytes, uint32_t& at) {
  const bool fitsLast = !blocks_.empty() && blockSizes_.back() == kBlockBytes && lastBlockUsed_ + bytes <= kBlockBytes;
  if (!fitsLast) {
    if (blocks_.size() >= kMaxBlocks) throw std::length_error("table " + name_ + " holds more than 4 GiB of text");
    const size_t size = std::max(bytes, kBlockBytes);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    blockSizes_.push_back(size);
    lastBlockUsed_ = 0;
  }
  at = static_cast<uint32_t>(((blocks_.size() - 1) << 16) | lastBlockUsed_);
  char* p = blocks_.back().get() + lastBlockUsed_;
  lastBlockUsed_ += bytes;
  return p;
}

bool LayerTable::SameAsPrevious(size_t cell, std::string_view text) const {
  if (text.size() < kShortestReference || cell >= previousRow_.size()) return false;
  const CellText& before = previousRow_[cell];
  return before.At != kNoPlace && before.Size == text.size() && std::memcmp(Address(before.At), text.data(), text.size()) == 0;
}

uint32_t LayerTable::Pack(std::span<const std::string_view> cells) {
  std::vector<char>& reference = referenceScratch_;
  reference.assign(cells.size(), 0);
  size_t bytes = VarintSize(cells.size());
  for (size_t i = 0; i < cells.size(); ++i) {
    reference[i] = SameAsPrevious(i, cells[i]);
    bytes += VarintSize(CellHead(cells[i].size(), reference[i]));
    bytes += reference[i] ? VarintSize(previousRow_[i].At) : cells[i].size();
  }
  uint32_t rowAt = 0;
  char* const start = Place(bytes, rowAt);
  const size_t blockStart = rowAt & 0xFFFF;
  const bool ownBlock = blockSizes_.back() != kBlockBytes;
  char* p = PutVarint(start, cells.size());
  std::vector<CellText>& packed = packedScratch_;
  packed.resize(cells.size());
  for (size_t i = 0; i < cells.size(); ++i) {
    p = PutVarint(p, CellHead(cells[i].size(), reference[i]));
    if (reference[i]) {
      p = PutVarint(p, previousRow_[i].At);
      packed[i] = previousRow_[i];
      continue;
    }
    const size_t offset = blockStart + static_cast<size_t>(p - start);
    packed[i].Size = static_cast<uint32_t>(cells[i].size());
    packed[i].At = ownBlock && offset >= kBlockBytes ? kNoPlace : static_cast<uint32_t>((rowAt & 0xFFFF0000u) | offset);
    if (!cells[i].empty()) std::memcpy(p, cells[i].data(), cells[i].size());
    p += cells[i].size();
  }
  std::swap(previousRow_, packed);
  return rowAt;
}

void LayerTable::Seal() {
  if (!draft_) return;
  std::vector<std::string_view> cells;
  cells.reserve(draft_->SubItems.size() + 1);
  cells.push_back(draft_->Caption);
  for (const std::string& cell : draft_->SubItems) cells.push_back(cell);
  rowAt_.push_back(Pack(cells));
  draft_.reset();
}

void LayerTable::AddRow(std::span<const std::string_view> captionAndCells) {
  Seal();
  ++revision_;
  rowAt_.push_back(Pack(captionAndCells));
}

RowDraft& LayerTable::Add() {
  Seal();
  ++revision_;
  return draft_.emplace();
}

RowDraft& LayerTable::Add(std::string caption) {
  RowDraft& row = Add();
  row.Caption = std::move(caption);
  return row;
}

RowDraft& LayerTable::AddCells(int cells) {
  RowDraft& row = Add();
  row.SubItems.resize(static_cast<size_t>(cells));
  return row;
}

RowDraft& LayerTable::Last() {
  ++revision_;
  if (draft_) return *draft_;
  if (rowAt_.empty()) throw std::out_of_range("table " + name_ + " has no row");
  const int last = static_cast<int>(rowAt_.size()) - 1;
  RowDraft row;
  row.Caption = std::string(CellAt(last, kCaption));
  for (int i = 0; i < CellCountAt(last); ++i) row.SubItems.emplace_back(CellAt(last, i));
  rowAt_.pop_back();
  return draft_.emplace(std::move(row));
}

std::string_view LayerTable::CellAt(int row, int cell) const {
  if (row < 0) return {};
  const auto index = static_cast<size_t>(row);
  if (index >= rowAt_.size()) return draft_ && index == rowAt_.size() ? draft_->Cell(cell) : std::string_view();
  const char* p = Address(rowAt_[index]);
  const uint64_t cells = GetVarint(p);
  const int64_t wanted = int64_t{cell} + 1;
  if (wanted < 0 || static_cast<uint64_t>(wanted) >= cells) return {};
  for (int64_t i = 0;; ++i) {
    const uint64_t head = GetVarint(p);
    const size_t size = static_cast<size_t>(head >> 1);
    const bool reference = (head & 1) != 0;
    if (i == wanted) {
      const char* text = reference ? Address(static_cast<uint32_t>(GetVarint(p))) : p;
      return {text, size};
    }
    if (reference)
      GetVarint(p);
    else
      p += size;
  }
}

int LayerTable::CellCountAt(int row) const {
  if (row < 0) return 0;
  const auto index = static_cast<size_t>(row);
  if (index >= rowAt_.size())
    return draft_ && index == rowAt_.size() ? static_cast<int>(draft_->SubItems.size()) : 0;
  const char* p = Address(rowAt_[index]);
  return static_cast<int>(GetVarint(p)) - 1;
}

void LayerTable::SetCell(int row, int cell, std::string_view text) {
  if (row < 0 || row >= Count() || cell < kCaption) throw std::out_of_range("table " + name_ + ": no such cell");
  ++revision_;
  const auto index = static_cast<size_t>(row);
  if (index == rowAt_.size()) {
    if (cell >= 0 && static_cast<size_t>(cell) >= draft_->SubItems.size()) draft_->SubItems.resize(static_cast<size_t>(cell) + 1);
    draft_->At(cell) = std::string(text);
    return;
  }
  // The row is packed again at the end of the buffer; the views of its other
  // cells stay valid, as blocks never move.
  std::vector<std::string_view> cells{CellAt(row, kCaption)};
  for (int i = 0; i < CellCountAt(row); ++i) cells.push_back(CellAt(row, i));
  if (static_cast<size_t>(cell + 1) >= cells.size()) cells.resize(static_cast<size_t>(cell) + 2);
  const std::string copy(text);  // `text` may be a view into this table
  cells[static_cast<size_t>(cell + 1)] = copy;
  rowAt_[index] = Pack(cells);
}

void LayerTable::StableSort(const std::function<bool(const LayerRow&, const LayerRow&)>& before) {
  Seal();
  ++revision_;
  std::vector<int> order(rowAt_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return before(LayerRow(*this, a), LayerRow(*this, b)); });
  std::vector<uint32_t> sorted(rowAt_.size());
  for (size_t i = 0; i < order.size(); ++i) sorted[i] = rowAt_[static_cast<size_t>(order[i])];
  rowAt_ = std::move(sorted);
}

void LayerTable::Clear() {
  ++revision_;
  blocks_.clear();
  blockSizes_.clear();
  lastBlockUsed_ = 0;
  std::vector<uint32_t>().swap(rowAt_);
  previousRow_.clear();
  draft_.reset();
}

size_t LayerTable::BytesHeld() const {
  return std::accumulate(blockSizes_.begin(), blockSizes_.end(), size_t{0}) + rowAt_.capacity() * sizeof(uint32_t);
}

std::string JoinedWithSpace(std::string_view first, std::string_view second) {
  std::string joined;
  joined.reserve(first.size() + 1 + second.size());
  joined.append(first).append(" ").append(second);
  return joined;
}

std::vector<std::string> LayerRow::SubItems() const {
  std::vector<std::string> cells;
  for (int i = 0; i < CellCount(); ++i) cells.emplace_back(Cell(i));
  return cells;
}
