#include "search/ListOrder.h"

#include <QCollatorSortKey>
#include <QString>

#include <algorithm>
#include <array>
#include <numeric>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>

#include "mapdata/Cp1251.h"
#include "mapdata/LayerTable.h"
#include "search/Collation.h"

namespace {

// The cells are held as views while the rows are sorted, so a cell must be
// read in place, not handed out as a copy.
static_assert(!std::is_same_v<decltype(std::declval<const LayerTable&>().CellAt(0, 0)), std::string>,
              "SortedRows keeps views of the cells while it sorts");

// Windows-1251 to text by a table built once through the converter: a sort
// decodes every cell of a column, tens of thousands of them.
QString Decoded(std::string_view cp1251Text) {
  static const std::array<char16_t, 256> kUnicode = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      const QString one = cp1251::ToQString(std::string_view(&byte, 1));
      table[static_cast<size_t>(b)] = one.size() == 1 ? one[0].unicode() : u'?';
    }
    return table;
  }();
  QString text(static_cast<qsizetype>(cp1251Text.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char c : cp1251Text) *out++ = QChar(kUnicode[static_cast<unsigned char>(c)]);
  return text;
}

// The place of each text in the order, texts that collate equal sharing one.
std::vector<int> Ranks(const std::vector<std::string_view>& texts) {
  const QCollator collator = RussianCollator(true);
  std::vector<QCollatorSortKey> keys;
  keys.reserve(texts.size());
  for (std::string_view text : texts) keys.push_back(collator.sortKey(Decoded(text)));
  std::vector<int> byKey(texts.size());
  std::iota(byKey.begin(), byKey.end(), 0);
  std::sort(byKey.begin(), byKey.end(), [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
  std::vector<int> rank(texts.size());
  int place = 0;
  for (size_t i = 0; i < byKey.size(); ++i) {
    if (i > 0 && keys[byKey[i - 1]].compare(keys[byKey[i]]) != 0) ++place;
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
