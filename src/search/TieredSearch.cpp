#include "search/TieredSearch.h"

#include <algorithm>

#include "search/SimilarNames.h"

RowTests::RowTests(std::string_view key, MatchReach reach) : asTyped_(key) {
  if (reach != MatchReach::Extended) return;
  words_.emplace(key);
  if (!words_->Applies()) {
    words_.reset();
    return;
  }
  if (words_->Prefilter()) prefilter_ = &*words_->Prefilter();
  similar_ = std::make_unique<SimilarNames>(*words_);
}

RowTests::~RowTests() = default;

bool RowTests::OffersSimilar() const { return similar_ && similar_->Offers(); }

std::optional<int> RowTests::Distance(std::span<const std::string_view> parts) const {
  return similar_ ? similar_->Distance(parts) : std::nullopt;
}

std::vector<RowRef> ClosestFirst(std::vector<ScoredRow> scored) {
  std::stable_sort(scored.begin(), scored.end(),
                   [](const ScoredRow& a, const ScoredRow& b) { return a.Distance < b.Distance; });
  std::vector<RowRef> rows;
  rows.reserve(scored.size());
  for (const ScoredRow& s : scored) rows.push_back(s.Ref);
  return rows;
}
