#pragma once
#include <string>

struct MapCore;

// Replaces the keyword list with the lines of the city's "Kw.map", if it exists.
void LoadKeywords(MapCore& core);
// Adds a word to the sorted list and rewrites "Kw.map".
void AddKeyword(MapCore& core, const std::string& word);
