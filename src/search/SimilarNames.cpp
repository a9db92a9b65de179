#include "search/SimilarNames.h"

#include <algorithm>
#include <array>

#include "search/FoldedText.h"

namespace {

constexpr unsigned char kTooFar = 0xFF;
constexpr size_t kLongestTyped = 64;  // longer words are not guessed

int Allowance(const QueryWord& word) {
  if (word.WordKind != QueryWord::Kind::Text || word.Folded.size() < 3 || word.Folded.size() > kLongestTyped)
    return 0;
  return std::max<int>(1, static_cast<int>(word.Folded.size()) / 5);
}

}  // namespace

// Rows of the table are the letters typed, columns the word's; the start of
// the word is fixed, its end free: the answer is the least cell of the last
// row.  Only the first |typed| + limit letters of the word can matter.
int PrefixDistance(std::string_view typed, std::string_view word, int limit) {
  const size_t n = typed.size();
  const size_t m = std::min(word.size(), n + static_cast<size_t>(limit));
  std::vector<int> before(m + 1), previous(m + 1), current(m + 1);
  for (size_t j = 0; j <= m; ++j) previous[j] = static_cast<int>(j);
  for (size_t i = 1; i <= n; ++i) {
    current[0] = static_cast<int>(i);
    int rowBest = current[0];
    for (size_t j = 1; j <= m; ++j) {
      const int cost = typed[i - 1] == word[j - 1] ? 0 : 1;
      int d = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
      if (i > 1 && j > 1 && typed[i - 1] == word[j - 2] && typed[i - 2] == word[j - 1])
        d = std::min(d, before[j - 2] + 1);
      current[j] = d;
      rowBest = std::min(rowBest, d);
    }
    if (rowBest > limit) return limit + 1;
    std::swap(before, previous);
    std::swap(previous, current);
  }
  const int best = *std::min_element(previous.begin(), previous.end());
  return std::min(best, limit + 1);
}

SimilarNames::SimilarNames(const WordQuery& query)
    : words_(query.Words()), typesMayBeLeftOut_(query.TypesMayBeLeftOut()) {
  for (const QueryWord& w : words_) allowance_.push_back(Allowance(w));
  offers_ = query.Applies() && std::any_of(allowance_.begin(), allowance_.end(), [](int a) { return a > 0; });
}

const std::vector<unsigned char>& SimilarNames::WordDistances(std::string_view rowWord) const {
  if (auto it = known_.find(rowWord); it != known_.end()) return it->second;
  std::vector<unsigned char> distances(words_.size(), kTooFar);
  for (size_t k = 0; k < words_.size(); ++k) {
    if (allowance_[k] == 0) continue;
    const int d = PrefixDistance(words_[k].Folded, rowWord, allowance_[k]);
    if (d <= allowance_[k]) distances[k] = static_cast<unsigned char>(d);
  }
  return known_.emplace(std::string(rowWord), std::move(distances)).first->second;
}

std::optional<int> SimilarNames::Distance(std::span<const std::string_view> parts) const {
  if (!offers_) return std::nullopt;
  WordQuery::FoldRow(parts, row_);
  const std::vector<std::string_view> rowWords = SplitWords(row_);
  int total = 0;
  for (size_t k = 0; k < words_.size(); ++k) {
    const QueryWord& w = words_[k];
    switch (w.WordKind) {
      case QueryWord::Kind::Number:
        if (!WordQuery::HoldsNumber(row_, w)) return std::nullopt;
        continue;
      case QueryWord::Kind::StreetType:
        if (WordQuery::HoldsStreetType(rowWords, w)) continue;
        if (!typesMayBeLeftOut_ || WordQuery::NamesAnyStreetType(rowWords)) return std::nullopt;
        ++total;
        continue;
      case QueryWord::Kind::Text:
        break;
    }
    if (WordQuery::HoldsText(row_, w)) continue;
    if (allowance_[k] == 0) return std::nullopt;
    unsigned char best = kTooFar;
    for (std::string_view rowWord : rowWords) best = std::min(best, WordDistances(rowWord)[k]);
    if (best == kTooFar) return std::nullopt;
    total += best;
  }
  return total;
}
