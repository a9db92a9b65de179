#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "search/KeyMatcher.h"
#include "search/StreetTypes.h"

// One word of what the user typed, folded (see FoldedText.h).
struct QueryWord {
  enum class Kind { Text, Number, StreetType };
  std::string Folded;
  Kind WordKind = Kind::Text;
  StreetTypeSet Types = 0;  // for a street type: the types it may stand for
};

// The words of a key: split at spaces and punctuation, ё read as е, street
// types recognised full or abbreviated, and "д." or "дом" before a house
// number dropped.
std::vector<QueryWord> QueryWords(std::string_view key);

// The word test that finds what the typed-as-is test misses: a row matches
// when it holds every word of the key, in any order.  A text word is found
// anywhere in the row's folded text; a number only as a whole number ("28"
// finds "28а" and "28/2", not "128" or "280"); a street type only as a word
// of a type it may stand for ("ул" finds "улица" and "ул.", "проспект" finds
// "пр-т").  The parts of a row are separate words, whatever joins them.
//
// A street type in the key does not shut out a row that names no type at all
// (a house "Абая 10" of a street imported without its type word): such a row
// matches on the other words, ranked after the rows that hold the type, as
// long as the key has a text word besides its types and numbers.  A row that
// names another type is still no match ("переулок Мира" is not a проспект).
enum class WordMatch { None, Whole, TypeLeftOut };

class WordQuery {
 public:
  explicit WordQuery(std::string_view key);

  // Whether the word test applies at all: a key of at least two characters
  // with at least one word.  (The empty key lists everything already, and a
  // one-letter key would find nearly every row.)
  bool Applies() const { return applies_; }
  const std::vector<QueryWord>& Words() const { return words_; }
  // Whether a row that names no street type may match without the key's.
  bool TypesMayBeLeftOut() const { return typesMayBeLeftOut_; }

  // A test every row that matches either test passes: the folded text holds
  // the longest text or number word.  Rows that fail it are passed over after
  // one scan.  None when no word can serve.
  const std::optional<KeyMatcher>& Prefilter() const { return prefilter_; }

  // The word test on a row made of `parts`.  Not for use from two threads.
  WordMatch Match(std::span<const std::string_view> parts) const;

  // Tests of single words against a row's folded text (parts joined by '\n')
  // and its words.
  static bool HoldsText(std::string_view foldedRow, const QueryWord& word);
  static bool HoldsNumber(std::string_view foldedRow, const QueryWord& word);
  static bool HoldsStreetType(std::span<const std::string_view> rowWords, const QueryWord& word);
  static bool NamesAnyStreetType(std::span<const std::string_view> rowWords);

  // The row's folded text, parts joined by '\n', into `out`.
  static void FoldRow(std::span<const std::string_view> parts, std::string& out);

 private:
  std::vector<QueryWord> words_;
  bool applies_ = false;
  bool typesMayBeLeftOut_ = false;  // a street type and a text word in the key
  std::optional<KeyMatcher> prefilter_;
  mutable std::string row_;  // scratch: the folded row
};
