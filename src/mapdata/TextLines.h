#pragma once
// Text files of a city (about.inf, a firm's .inf, "Kw.map") are read as lines.
#include <string>
#include <vector>

// The lines of a text: CR LF, LF and CR all end a line; a final line end adds no
// empty line.  Bytes stay as they are (Windows-1251).
std::vector<std::string> SplitTextLines(const std::string& bytes);
