#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// The types of street that maps write in full or abbreviated ("ул.", "пр-т",
// "б-р", "мкрн"), in Russian or Kazakh ("көшесі", "даңғылы"), as a set of
// bits: an abbreviation may stand for more than one type ("пр." is a проспект
// or a проезд).
using StreetTypeSet = uint16_t;

// The types a folded word (see FoldedText.h; no dots) writes, full or
// abbreviated; none (0) for any other word.  Kazakh words are known in the
// letters the importer writes them in ("даңғылы" as "дангылы", "көшесі" as
// "кошесі", also with a Latin i).
StreetTypeSet StreetTypesOf(std::string_view foldedWord);

// What a word of a street's name says of its type, for naming the street by
// it: the type's full name (UTF-8, "проспект" for "прс"; the first type
// listed where the form stands for more), and whether the word is that very
// Russian name, which may also be part of a proper name ("Набережная"),
// unlike an abbreviation or a Kazakh word.
struct StreetTypeWord {
  const char* FullName = nullptr;
  bool InFull = false;
};
std::optional<StreetTypeWord> StreetTypeWordOf(std::string_view foldedWord);
