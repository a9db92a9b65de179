#pragma once
// The extract as libosmium's input.  libosmium opens a file by its narrow
// name, which on Windows goes through the ANSI code page and cannot name every
// file (a Cyrillic folder on an English system); there the file is opened by
// its wide name and given to libosmium as standard input.
#include <filesystem>

#include <osmium/io/file.hpp>

// Call it right before the reader that uses it is made: on Windows each call
// points standard input at the start of the file, and the reader's close ends
// that.  Throws std::system_error when the file cannot be opened.
osmium::io::File OsmInputFile(const std::filesystem::path& input);
