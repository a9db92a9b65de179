#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "search/WordQuery.h"

// How far a row is from what the user typed, for the suggestions offered when
// a search finds nothing.  Every word of the key must be in the row as the
// word test finds it, or, for a text word of three letters or more, be nearly
// the start of one of the row's words: one letter wrong, missing, extra or two
// swapped per five letters of the word (at least one).  Numbers and street
// types are never guessed; a street type missing from a row that names none
// counts one, as the word test lets it (WordQuery.h).  The distance of a row
// is the sum of its words'.
class SimilarNames {
 public:
  explicit SimilarNames(const WordQuery& query);

  // Whether any word may be guessed at all.
  bool Offers() const { return offers_; }

  // The row's distance; none when it is not similar.  Not for use from two
  // threads: it remembers the distances of the words it has met.
  std::optional<int> Distance(std::span<const std::string_view> parts) const;

 private:
  // The distance of each guessable key word to a row word, kTooFar when above
  // the word's allowance; computed once per distinct row word.
  const std::vector<unsigned char>& WordDistances(std::string_view rowWord) const;

  const std::vector<QueryWord>& words_;
  std::vector<int> allowance_;  // per key word; 0 = never guessed
  bool offers_ = false;
  bool typesMayBeLeftOut_ = false;
  mutable std::string row_;
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  mutable std::unordered_map<std::string, std::vector<unsigned char>, Hash, std::equal_to<>> known_;
};

// The edit distance (substitution, insertion, deletion, transposition of two
// neighbours) from `typed` to the closest start of `word`, or limit + 1 when
// above `limit`.
int PrefixDistance(std::string_view typed, std::string_view word, int limit);
