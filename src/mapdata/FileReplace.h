#pragma once
// Files the program writes (a city's keyword list, a saved picture of the map)
// are written whole or not at all, and a failure is told in the words of the
// interface.
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

struct WriteFailure {
  int error = 0;     // errno
  std::string step;  // what was being done, in Russian
};

// Writes `bytes` to a temporary file beside `target` (its name + ".tmp"),
// flushes it to the disk and renames it over `target`: an old file stays whole
// until the new one is, and a failed write leaves no file behind.
bool ReplaceFile(const fs::path& target, const std::string& bytes, WriteFailure& failure);

// The folder a file lies in, as a reason names it: "в папку города" /
// "папка города".
struct FolderWords {
  const char* Into;     // after "нет прав на запись "
  const char* Subject;  // before " не найдена"
};

// Why a file operation failed (errno), in the words of the interface (UTF-8).
std::string FailureReason(int error, bool writing, FolderWords folder);
