#pragma once
// The data check: every file a city load would read, read with the loaders'
// own rules, and every problem listed.  Unlike a load it goes on past a bad
// record: records have a fixed number of fields, so the next record starts
// where the bad one's fields end; only data that runs out stops a file.
#include <filesystem>
#include <string>
#include <vector>

#include "mapdata/CityLocation.h"

struct DataProblem {
  std::filesystem::path File;
  int Record = 0;    // from 1; 0 for the file as a whole
  std::string What;  // UTF-8
};

std::vector<DataProblem> CheckCity(const CityLocation& city);
