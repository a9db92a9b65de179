#pragma once
#include <string>
#include <vector>

struct MapCore;

// Replaces the keyword list with the lines of the city's "Kw.map" (CR LF, CR or
// LF line ends), in sorted order.  Without the file the list stays as it was.
void LoadKeywords(MapCore& core);

// Adds a word (Windows-1251; empty words and repeats allowed) at its sorted
// place and rewrites "Kw.map" through a temporary file renamed over the old one.
// A failed write shows a message naming the file and the reason; the word stays
// in the list.
void AddKeyword(MapCore& core, const std::string& word);

// The order of the keyword list: alphabetical by the Russian locale's rules,
// letter case ignored (Windows-1251 words).
bool KeywordLess(const std::string& a, const std::string& b);
// Sorts words in that order, keeping equal words in their order.
void SortKeywords(std::vector<std::string>& words);
