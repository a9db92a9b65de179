#pragma once
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "search/KeyMatcher.h"
#include "search/WordQuery.h"

class SimilarNames;

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
// finds, in table order; then those only the word test finds, in table order,
// first those holding the key's street type, then those that name none; or,
// when none was found, the similar rows, closest first.
struct FoundRows {
  std::vector<RowRef> Rows;
  int Similar = 0;  // nonzero: every row is a suggestion, not a match
};

// The searched text of a row as parts, each a separate word for the word
// test; an empty list skips the row.
using RowParts = std::array<std::string_view, 6>;

// The tests of one key, row by row.
class RowTests {
 public:
  RowTests(std::string_view key, MatchReach reach);
  ~RowTests();

  enum class Outcome { None, AsTyped, ByWords, ByWordsTypeLeftOut };
  // Rows the prefilter rejects are tested no further.
  Outcome Test(std::span<const std::string_view> parts) const {
    if (prefilter_ && !prefilter_->Matches(parts)) return Outcome::None;
    if (asTyped_.Matches(parts)) return Outcome::AsTyped;
    if (!words_) return Outcome::None;
    switch (words_->Match(parts)) {
      case WordMatch::Whole: return Outcome::ByWords;
      case WordMatch::TypeLeftOut: return Outcome::ByWordsTypeLeftOut;
      case WordMatch::None: break;
    }
    return Outcome::None;
  }
  // Whether names nearly typed may be offered when nothing matched.
  bool OffersSimilar() const;
  std::optional<int> Distance(std::span<const std::string_view> parts) const;

 private:
  KeyMatcher asTyped_;
  std::optional<WordQuery> words_;
  const KeyMatcher* prefilter_ = nullptr;
  std::unique_ptr<SimilarNames> similar_;
};

// Orders the scored rows, closest first, ties in table order.
struct ScoredRow {
  int Distance;
  RowRef Ref;
};
std::vector<RowRef> ClosestFirst(std::vector<ScoredRow> scored);

// Scans the sources in order, each from row 0 up (`rowCounts` rows each);
// `partsOf(source, row, RowParts&)` gives a row's parts.
template <class PartsOf>
FoundRows FindRows(std::string_view key, MatchReach reach, std::span<const int> rowCounts, PartsOf&& partsOf) {
  const RowTests tests(key, reach);
  FoundRows result;
  std::vector<RowRef> byWords, typeLeftOut;
  RowParts buffer;
  const int sources = static_cast<int>(rowCounts.size());
  for (int source = 0; source < sources; ++source) {
    for (int row = 0; row < rowCounts[source]; ++row) {
      const std::span<const std::string_view> parts = partsOf(source, row, buffer);
      if (parts.empty()) continue;
      switch (tests.Test(parts)) {
        case RowTests::Outcome::AsTyped: result.Rows.push_back({source, row}); break;
        case RowTests::Outcome::ByWords: byWords.push_back({source, row}); break;
        case RowTests::Outcome::ByWordsTypeLeftOut: typeLeftOut.push_back({source, row}); break;
        case RowTests::Outcome::None: break;
      }
    }
  }
  result.Rows.insert(result.Rows.end(), byWords.begin(), byWords.end());
  result.Rows.insert(result.Rows.end(), typeLeftOut.begin(), typeLeftOut.end());
  if (!result.Rows.empty() || !tests.OffersSimilar()) return result;
  std::vector<ScoredRow> scored;
  for (int source = 0; source < sources; ++source) {
    for (int row = 0; row < rowCounts[source]; ++row) {
      const std::span<const std::string_view> parts = partsOf(source, row, buffer);
      if (parts.empty()) continue;
      if (const std::optional<int> d = tests.Distance(parts)) scored.push_back({*d, {source, row}});
    }
  }
  result.Rows = ClosestFirst(std::move(scored));
  result.Similar = static_cast<int>(result.Rows.size());
  return result;
}
