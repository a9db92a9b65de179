#pragma once
// Where a city imported from the window goes and whether its name is free
// there, before the import starts.
#include <filesystem>
#include <string>
#include <vector>

#include "importer/OsmImport.h"

namespace fs = std::filesystem;

// The user's own data root when the window lists it (the command line writes
// there too), else the first root the window lists.
fs::path ImportDataRoot(const std::vector<fs::path>& listedRoots, const fs::path& userRoot);

enum class CityNameUse {
  Free,
  NotAFolderName,  // IsCityFolderName says no
  Taken,           // something of that name is in the import root: replaced only if the user agrees
  Hidden,          // a city of that name in a root listed before the import root would hide the new one
};

CityNameUse UseOfCityName(const std::vector<fs::path>& listedRoots, const fs::path& importRoot,
                          const std::string& name);

// The import of a settlement (its node's id; empty: the whole file) of
// `input` as the city `name` into `dataRoot`.
ImportOptions WindowImportOptions(const fs::path& input, const std::string& settlementId, const std::string& name,
                                  const fs::path& dataRoot, bool replace);
