#pragma once
// Files the program writes (a city's keyword list, a saved picture of the map)
// are written whole or not at all, and a failure is told in the words of the
// interface.
#include <cstdint>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

struct WriteFailure {
  int error = 0;     // errno
  std::string step;  // what was being done, in Russian
};

// Writes `bytes` to a new temporary file beside `target` (".NAME.XXXXXX",
// created exclusively, never through a link), flushes it to the disk and
// renames it over `target`: an old file stays whole until the new one is, a
// link at `target` is replaced by the file rather than written through, and a
// failed write leaves no file behind.  The file gets the umask's mode.
bool ReplaceFile(const fs::path& target, const std::string& bytes, WriteFailure& failure);

// Removes the temporary files ReplaceFile left beside `target` when its
// program was killed: only regular files whose names are exactly of its
// pattern, whatever the case of the target's name, never through a link.  The
// caller must hold a lock that keeps every other writer of `target` out.
void RemoveLeftoverTemporaries(const fs::path& target);

// Reads a whole regular file without following a link at its name (ELOOP) or
// opening anything but a plain file (a FIFO or device: EINVAL); a file of more
// than `maxBytes` is not read (EFBIG).
bool ReadPlainFile(const fs::path& path, std::string& bytes, int& error, size_t maxBytes = SIZE_MAX);

// The folder a file lies in, as a reason names it: "в папку города" /
// "папка города".
struct FolderWords {
  const char* Into;     // after "нет прав на запись "
  const char* Subject;  // before " не найдена"
};

// Why a file operation failed (errno), in the words of the interface (UTF-8).
std::string FailureReason(int error, bool writing, FolderWords folder);
