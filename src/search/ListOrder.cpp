#include "search/ListOrder.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>

#include "mapdata/LayerTable.h"
#include "search/Collation.h"

namespace {

// The cells are held as views while the rows are sorted, so a cell must be
// read in place, not handed out as a copy.
static_assert(!std::is_same_v<decltype(std::declval<const LayerTable&>().CellAt(0, 0)), std::string>,
              "SortedRows keeps views of the cells while it sorts");

// The place of each text in the order, texts that collate equal sharing one.
std::vector<int> Ranks(const std::vector<std::string_view>& texts) {
  std::vector<std::string> keys;
  keys.reserve(texts.size());
  for (std::string_view text : texts) keys.push_back(RussianSortKey(text, true));
  std::vector<int> byKey(texts.size());
  std::iota(byKey.begin(), byKey.end(), 0);
  std::sort(byKey.begin(), byKey.end(), [&](int a, int b) { return keys[a] < keys[b]; });
  std::vector<int> rank(texts.size());
  int place = 0;
  for (size_t i = 0; i < byKey.size(); ++i) {
    if (i > 0 && keys[byKey[i - 1]] != keys[byKey[i]]) ++place;
    rank[byKey[i]] = place;
  }
  return rank;
}

}  // namespace

std::vector<int> SortedRows(const LayerTable& table, int cell, SortDirection direction) {
  // Each distinct text is collated once: many rows share one (a kind, a street).
  std::unordered_map<std::string_view, int> textIndex;
  std::vector<std::string_view> texts;
  std::vector<int> textOfRow(static_cast<size_t>(table.Count()));
  for (int row = 0; row < table.Count(); ++row) {
    const std::string_view text = table.CellAt(row, cell);
    const auto [at, added] = textIndex.try_emplace(text, static_cast<int>(texts.size()));
    if (added) texts.push_back(text);
    textOfRow[static_cast<size_t>(row)] = at->second;
  }
  const std::vector<int> rank = Ranks(texts);
  const auto rankOf = [&](int row) { return rank[static_cast<size_t>(textOfRow[static_cast<size_t>(row)])]; };

  std::vector<int> rows(static_cast<size_t>(table.Count()));
  std::iota(rows.begin(), rows.end(), 0);
  if (direction == SortDirection::Ascending)
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return rankOf(a) < rankOf(b); });
  else
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return rankOf(a) > rankOf(b); });
  return rows;
}
