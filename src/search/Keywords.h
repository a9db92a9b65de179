#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct MapCore;

// The most of "Kw.map" a load reads: a list of more bytes or lines is read up
// to the limit, with a message, and is never saved over.
constexpr size_t kMaxKeywordFileBytes = 1024 * 1024;
constexpr size_t kMaxKeywords = 20000;

// Replaces the keyword list with the lines of the city's "Kw.map" (CR LF, CR or
// LF line ends), in sorted order.  Without the file the list stays as it was; a
// link or anything but a plain file in its place is not read (a message says
// so) and the list stays as it was too.  A file beyond the limits above gives
// its first kMaxKeywords whole lines within its first kMaxKeywordFileBytes and
// a message naming the file and the limits.
void LoadKeywords(MapCore& core);

// Adds a word (Windows-1251; empty words and repeats allowed, a word holding a
// line break or a tab refused with a message, since the file could not hold it)
// at its sorted place and rewrites "Kw.map" through a new temporary file
// renamed over the old one.  The save holds "Kw.map.lock" and reads the file
// again under it, so that words another program saved meanwhile are kept: the
// file never loses a word.  A file beyond the limits is not saved over, nor
// is a list written that would pass them.  A failed save shows a message naming the file and
// the reason; the word stays in the list.
void AddKeyword(MapCore& core, const std::string& word);

// The order of the keyword list: alphabetical by the Russian locale's rules,
// letter case ignored (Windows-1251 words).
bool KeywordLess(const std::string& a, const std::string& b);
// Sorts words in that order, keeping equal words in their order.
void SortKeywords(std::vector<std::string>& words);
