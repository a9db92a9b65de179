#pragma once
// The cities of the data roots: the sub-folders holding Info/about.inf.
#include <filesystem>
#include <string>
#include <vector>

#include "mapdata/CityLocation.h"

// Every city of the roots, by directory name in byte order; a name found in an
// earlier root hides the same name in later ones.  Missing or unreadable roots
// add nothing.
std::vector<CityLocation> FindCities(const std::vector<std::filesystem::path>& dataRoots);
