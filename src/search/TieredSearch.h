#pragma once
#include <array>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

// How far a search reaches: the key as typed only, or also word by word (ё as
// е, any order, street types abbreviated or not) and, when nothing is found,
// the names nearly typed.
enum class MatchReach { AsTyped, Extended };

// A row of one of the tables a search scans.
struct RowRef {
  int Source;  // which table, in the caller's numbering
  int Row;
};

// What a search found, in the order to list it: the rows the key as typed
// finds, in table order; then those only the word test finds, in table order;
// or, when neither found any, the similar rows, closest first.
struct FoundRows {
  std::vector<RowRef> Rows;
  int Similar = 0;  // nonzero: every row is a suggestion, not a match
};

// The searched text of a row as parts, each a separate word for the word
// test; an empty list skips the row.
using RowParts = std::array<std::string_view, 6>;
using PartsOfRow = std::function<std::span<const std::string_view>(int source, int row, RowParts& parts)>;

// Scans the sources in order, each from row 0 up (`rowCounts` rows each).
FoundRows FindRows(std::string_view key, MatchReach reach, std::span<const int> rowCounts, const PartsOfRow& partsOf);
