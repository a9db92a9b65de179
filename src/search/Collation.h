#pragma once
// The alphabetical order of the interface: the Russian reader's (Cyrillic
// letters before Latin ones, "ё" beside "е", spaces and punctuation before
// digits, digits before letters), letter case ignored.  It is our own rather
// than the system's collation so that every system sorts alike: Windows' own
// puts Latin before Cyrillic and cannot be asked to do otherwise.
#include <string>
#include <string_view>

// A key of Windows-1251 text: two texts are in order exactly when their keys
// are as byte strings; texts equal but for letter case have equal keys.  With
// `numbersByValue`, runs of digits compare as numbers: "2" before "10", and
// "10а" after "10".
std::string RussianSortKey(std::string_view cp1251Text, bool numbersByValue);
