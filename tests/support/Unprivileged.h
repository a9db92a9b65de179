#pragma once
// Running a program without root's rights, so that file permissions count even
// when the tests run as root.
#include <filesystem>
#include <string>
#include <vector>

// Opens the folders from `path` up to the temporary folder to everyone, and
// gives the command prefix that runs a program as nobody (empty when the tests
// do not run as root).  False when rights cannot be dropped (no setpriv).
bool PrefixAsNobody(const std::filesystem::path& path, std::vector<std::string>& prefix);
