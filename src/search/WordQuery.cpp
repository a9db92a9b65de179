#include "search/WordQuery.h"

#include <algorithm>

#include "mapdata/Cp1251.h"
#include "search/FoldedText.h"

namespace {

bool StartsWithDigit(std::string_view word) { return !word.empty() && IsDigitByte(static_cast<unsigned char>(word[0])); }

// "д" and "дом" say that a house number follows; the number alone is searched.
bool IsHouseWord(std::string_view folded) {
  static const std::string d = Folded(cp1251::FromUtf8("д"));
  static const std::string dom = Folded(cp1251::FromUtf8("дом"));
  return folded == d || folded == dom;
}

QueryWord Classify(std::string_view folded) {
  QueryWord word{std::string(folded)};
  if (StartsWithDigit(folded))
    word.WordKind = QueryWord::Kind::Number;
  else if ((word.Types = StreetTypesOf(folded)) != 0)
    word.WordKind = QueryWord::Kind::StreetType;
  return word;
}

size_t TrimmedLength(std::string_view key) {
  const size_t first = key.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  return key.find_last_not_of(' ') - first + 1;
}

bool HasWordOfKind(const std::vector<QueryWord>& words, QueryWord::Kind kind) {
  return std::any_of(words.begin(), words.end(), [kind](const QueryWord& w) { return w.WordKind == kind; });
}

}  // namespace

std::vector<QueryWord> QueryWords(std::string_view key) {
  const std::string folded = Folded(key);
  const std::vector<std::string_view> words = SplitWords(folded);
  std::vector<QueryWord> out;
  for (size_t i = 0; i < words.size(); ++i) {
    if (IsHouseWord(words[i]) && i + 1 < words.size() && StartsWithDigit(words[i + 1])) continue;
    out.push_back(Classify(words[i]));
  }
  return out;
}

WordQuery::WordQuery(std::string_view key) : words_(QueryWords(key)) {
  applies_ = !words_.empty() && TrimmedLength(key) >= 2;
  if (!applies_) return;
  typesMayBeLeftOut_ = HasWordOfKind(words_, QueryWord::Kind::StreetType) && HasWordOfKind(words_, QueryWord::Kind::Text);
  // Every word is a piece of the key as typed, so a row the typed key matches
  // holds it too; and the word test needs text and number words as they are.
  const QueryWord* longest = nullptr;
  for (const QueryWord& w : words_)
    if (w.WordKind != QueryWord::Kind::StreetType && (!longest || w.Folded.size() > longest->Folded.size()))
      longest = &w;
  if (longest) prefilter_ = KeyMatcher::Folded(longest->Folded);
}

void WordQuery::FoldRow(std::span<const std::string_view> parts, std::string& out) {
  out.clear();
  for (std::string_view part : parts) {
    AppendFolded(out, part);
    out += '\n';
  }
}

bool WordQuery::HoldsText(std::string_view foldedRow, const QueryWord& word) {
  return foldedRow.find(word.Folded) != std::string_view::npos;
}

bool WordQuery::HoldsNumber(std::string_view foldedRow, const QueryWord& word) {
  const bool endsInDigit = IsDigitByte(static_cast<unsigned char>(word.Folded.back()));
  for (size_t at = foldedRow.find(word.Folded); at != std::string_view::npos;
       at = foldedRow.find(word.Folded, at + 1)) {
    const size_t end = at + word.Folded.size();
    const bool digitBefore = at > 0 && IsDigitByte(static_cast<unsigned char>(foldedRow[at - 1]));
    const bool digitAfter = endsInDigit && end < foldedRow.size() && IsDigitByte(static_cast<unsigned char>(foldedRow[end]));
    if (!digitBefore && !digitAfter) return true;
  }
  return false;
}

bool WordQuery::HoldsStreetType(std::span<const std::string_view> rowWords, const QueryWord& word) {
  return std::any_of(rowWords.begin(), rowWords.end(),
                     [&](std::string_view w) { return (StreetTypesOf(w) & word.Types) != 0; });
}

bool WordQuery::NamesAnyStreetType(std::span<const std::string_view> rowWords) {
  return std::any_of(rowWords.begin(), rowWords.end(), [](std::string_view w) { return StreetTypesOf(w) != 0; });
}

WordMatch WordQuery::Match(std::span<const std::string_view> parts) const {
  if (!applies_) return WordMatch::None;
  FoldRow(parts, row_);
  std::vector<std::string_view> rowWords;
  bool wordsSplit = false;
  bool typeMissing = false;
  for (const QueryWord& w : words_) {
    switch (w.WordKind) {
      case QueryWord::Kind::Text:
        if (!HoldsText(row_, w)) return WordMatch::None;
        break;
      case QueryWord::Kind::Number:
        if (!HoldsNumber(row_, w)) return WordMatch::None;
        break;
      case QueryWord::Kind::StreetType:
        if (!wordsSplit) rowWords = SplitWords(row_), wordsSplit = true;
        if (!HoldsStreetType(rowWords, w)) typeMissing = true;
        break;
    }
  }
  if (!typeMissing) return WordMatch::Whole;
  return typesMayBeLeftOut_ && !NamesAnyStreetType(rowWords) ? WordMatch::TypeLeftOut : WordMatch::None;
}
