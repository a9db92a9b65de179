#pragma once
// The directory search "*.ext" of the data sets' home platform: names are
// matched case-insensitively, folders included.  Entries come in the byte order
// of their names, so that a city loads the same way on every machine (the raw
// order of a directory listing differs between file systems).
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// File names (UTF-8) in `dir` ending with `extension` (".ico"), ASCII letters
// compared without case.  No folder: no entries.
std::vector<std::string> FindEntries(const std::filesystem::path& dir, std::string_view extension);

// Every name (UTF-8) in `dir`, in byte order, for several searches of one
// folder with one listing (a big city's Firms folder holds some 100 000).
std::vector<std::string> ListEntries(const std::filesystem::path& dir);
// The names of `listed` ending with `extension`, as FindEntries finds them.
std::vector<std::string> EntriesEndingWith(const std::vector<std::string>& listed, std::string_view extension);

// True when `name` ends with `extension` byte for byte.
bool HasExactExtension(std::string_view name, std::string_view extension);
