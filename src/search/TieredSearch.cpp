#include "search/TieredSearch.h"

#include <algorithm>
#include <optional>

#include "search/KeyMatcher.h"
#include "search/SimilarNames.h"
#include "search/WordQuery.h"

namespace {

// One scan gives both matching lists; rows the prefilter rejects are tested
// no further.
void FindMatches(const KeyMatcher& asTyped, const WordQuery* words, std::span<const int> rowCounts,
                 const PartsOfRow& partsOf, std::vector<RowRef>& found, std::vector<RowRef>& foundByWords) {
  const KeyMatcher* prefilter = words && words->Prefilter() ? &*words->Prefilter() : nullptr;
  RowParts buffer;
  for (int source = 0; source < static_cast<int>(rowCounts.size()); ++source) {
    for (int row = 0; row < rowCounts[source]; ++row) {
      const std::span<const std::string_view> parts = partsOf(source, row, buffer);
      if (parts.empty()) continue;
      if (prefilter && !prefilter->Matches(parts)) continue;
      if (asTyped.Matches(parts))
        found.push_back({source, row});
      else if (words && words->Matches(parts))
        foundByWords.push_back({source, row});
    }
  }
}

std::vector<RowRef> FindSimilar(const SimilarNames& similar, std::span<const int> rowCounts,
                                const PartsOfRow& partsOf) {
  struct Scored {
    int Distance;
    RowRef Ref;
  };
  std::vector<Scored> scored;
  RowParts buffer;
  for (int source = 0; source < static_cast<int>(rowCounts.size()); ++source) {
    for (int row = 0; row < rowCounts[source]; ++row) {
      const std::span<const std::string_view> parts = partsOf(source, row, buffer);
      if (parts.empty()) continue;
      if (const std::optional<int> d = similar.Distance(parts)) scored.push_back({*d, {source, row}});
    }
  }
  std::stable_sort(scored.begin(), scored.end(), [](const Scored& a, const Scored& b) { return a.Distance < b.Distance; });
  std::vector<RowRef> rows;
  rows.reserve(scored.size());
  for (const Scored& s : scored) rows.push_back(s.Ref);
  return rows;
}

}  // namespace

FoundRows FindRows(std::string_view key, MatchReach reach, std::span<const int> rowCounts, const PartsOfRow& partsOf) {
  const KeyMatcher asTyped(key);
  std::optional<WordQuery> words;
  if (reach == MatchReach::Extended) {
    words.emplace(key);
    if (!words->Applies()) words.reset();
  }
  FoundRows result;
  std::vector<RowRef> byWords;
  FindMatches(asTyped, words ? &*words : nullptr, rowCounts, partsOf, result.Rows, byWords);
  result.Rows.insert(result.Rows.end(), byWords.begin(), byWords.end());
  if (!result.Rows.empty() || !words) return result;
  const SimilarNames similar(*words);
  if (!similar.Offers()) return result;
  result.Rows = FindSimilar(similar, rowCounts, partsOf);
  result.Similar = static_cast<int>(result.Rows.size());
  return result;
}
