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

// The layer files the load would read that are there but cannot be opened (no
// read rights), or their folder when it cannot be read, in the order of
// LayerReadings().
std::vector<fs::path> UnreadableLayerFiles(const CityLocation& city);
