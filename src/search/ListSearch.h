#pragma once
#include <string>
#include <string_view>

struct MapCore;

// The case-insensitive "contains" test of both searches over Windows-1251 text:
// start positions 0 to L - 2 of the searched text.
bool MatchesKey(std::string_view searched, std::string_view key);
// Lists every street, building, firm and object whose text contains the key.
void FillSearchList(MapCore& core, const std::string& key);
