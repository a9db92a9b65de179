#pragma once
#include <cstdint>
#include <string_view>

// The types of street that maps write in full or abbreviated ("ул.", "пр-т",
// "б-р", "мкрн"), as a set of bits: an abbreviation may stand for more than
// one type ("пр." is a проспект or a проезд).
using StreetTypeSet = uint16_t;

// The types a folded word (see FoldedText.h; no dots) writes, full or
// abbreviated; none (0) for any other word.
StreetTypeSet StreetTypesOf(std::string_view foldedWord);
