// What a user types against rows of any bytes: the first line is the key, each
// further line a row whose tab-separated cells are its parts.  The rows found
// as typed must come first, all of them and in their order, whatever the
// further tests and their prefilter do; no row may be listed twice.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <span>
#include <string_view>
#include <vector>

#include "search/KeyMatcher.h"
#include "search/TieredSearch.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string_view::npos; start = at + 1)
    pieces.push_back(text.substr(start, at - start));
  pieces.push_back(text.substr(start));
  return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string_view> lines = Split({reinterpret_cast<const char*>(data), size}, '\n');
  const std::string_view key = lines[0];
  std::vector<std::vector<std::string_view>> rows;
  for (size_t i = 1; i < lines.size(); ++i) {
    rows.push_back(Split(lines[i], '\t'));
    if (rows.back().size() > RowParts().size()) rows.back().resize(RowParts().size());
  }
  const int counts[] = {static_cast<int>(rows.size())};
  const auto partsOf = [&rows](int, int row, RowParts& parts) {
    std::copy(rows[row].begin(), rows[row].end(), parts.begin());
    return std::span<const std::string_view>(parts.data(), rows[row].size());
  };
  const FoundRows found = FindRows(key, MatchReach::Extended, counts, partsOf);

  const KeyMatcher asTyped(key);
  std::vector<int> expected;
  for (int r = 0; r < counts[0]; ++r)
    if (asTyped.Matches(std::span<const std::string_view>(rows[r]))) expected.push_back(r);
  if (found.Similar > 0 && !expected.empty()) __builtin_trap();
  if (found.Similar == 0) {
    if (found.Rows.size() < expected.size()) __builtin_trap();
    for (size_t i = 0; i < expected.size(); ++i)
      if (found.Rows[i].Row != expected[i]) __builtin_trap();
  }
  std::set<int> seen;
  for (const RowRef& ref : found.Rows)
    if (!seen.insert(ref.Row).second) __builtin_trap();
  return 0;
}
