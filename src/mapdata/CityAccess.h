#pragma once
// Whether a city folder and its layer files can be read at all: a folder the
// user may not read hides its files, which must then not pass for absent.
#include <filesystem>
#include <string>
#include <vector>

#include "mapdata/CityLocation.h"

// A file that is there or may be: one behind a folder that cannot be read is not
// absent, its reading has to fail and say so.
bool FileMayExist(const fs::path& path);

// Why the city folder cannot be taken: empty when it can, otherwise (UTF-8)
// that it or its Info/about.inf cannot be read (`unreadable` true), or that it
// has no Info/about.inf and so is not a city.
std::string CityFolderProblem(const fs::path& cityDir, bool& unreadable);

// A folder that is there but cannot be listed (a missing one is an empty one).
bool FolderUnreadable(const fs::path& dir);

// What the load would read that is there but cannot be: the Icons and Firms
// folders, then the layer files (no read rights) or the folder hiding them, in
// the order of LayerReadings().
std::vector<fs::path> UnreadableLayerFiles(const CityLocation& city);
