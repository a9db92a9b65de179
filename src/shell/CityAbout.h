#pragma once
// A city's description, Info/about.inf: text lines in Windows-1251, the first
// the city's title, the rest its description.
#include <filesystem>
#include <string>
#include <vector>

#include "mapdata/TextLines.h"

struct CityAbout {
  std::string Title;                     // the raw first line; empty for an empty file
  std::vector<std::string> Description;  // the lines after it
};

// Title and description from the bytes of about.inf.
CityAbout ParseCityAbout(const std::string& bytes);

// Reads about.inf; false with a message naming the file and the reason (UTF-8)
// when it cannot be read.
bool ReadCityAbout(const std::filesystem::path& file, CityAbout& about, std::string& error);
