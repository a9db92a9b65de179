#include "mapdata/PlantedLock.h"

#include <cerrno>
#include <chrono>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>

#include "mapdata/NativeFile.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A lock as Qt writes it is five short lines: process, program, host and two ids.
constexpr size_t kMaxLockBytes = 4096;
constexpr auto kEmptyLockGrace = std::chrono::seconds(2);

// Qt's reading of a lock: a positive process number on the first line.
bool NamesAProcess(std::string_view bytes) {
  std::string_view line = bytes.substr(0, bytes.find('\n'));
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  if (line.empty() || line.size() > 18 || line.find_first_not_of("0123456789") != std::string_view::npos)
    return false;
  return line.find_first_not_of('0') != std::string_view::npos;
}

bool IsYoung(const fs::path& path) {
  std::error_code ec;
  const fs::file_time_type written = fs::last_write_time(path, ec);
  return !ec && fs::file_time_type::clock::now() - written < kEmptyLockGrace;
}

bool CannotBeALock(const std::string& bytes, const fs::path& path) {
  if (bytes.size() > kMaxLockBytes) return true;
  if (bytes.empty()) return !IsYoung(path);
  return !NamesAProcess(bytes);
}

}  // namespace

fs::path RemovalLockOf(const fs::path& lock) { return fs::path(lock) += ".rmlock"; }

const char* EntryKindWords(EntryKind kind) {
  switch (kind) {
    case EntryKind::Folder: return "папка";
    case EntryKind::Link: return "символическая ссылка";
    case EntryKind::Special: return "канал или устройство";
    case EntryKind::None:
    case EntryKind::RegularFile: break;
  }
  return "файл";
}

#ifdef _WIN32

EntryKind EntryKindAt(const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::None;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Link;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Special;
  return EntryKind::RegularFile;
}

// Qt's lock holds its file open without sharing its deletion: a held lock is
// not deleted.
bool RemoveFileThatIsNoLock(const fs::path& path) {
  int error = 0;
  std::string bytes;
  {
    NativeFile file = NativeFile::OpenPlain(path, error);
    if (!file.IsOpen()) return false;
    if (!file.ReadAll(bytes, error, kMaxLockBytes) && error != EFBIG) return false;
  }
  return CannotBeALock(bytes, path) && DeleteFileW(path.c_str());
}

#else

EntryKind EntryKindAt(const fs::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return EntryKind::None;
  if (S_ISLNK(info.st_mode)) return EntryKind::Link;
  if (S_ISDIR(info.st_mode)) return EntryKind::Folder;
  if (!S_ISREG(info.st_mode)) return EntryKind::Special;
  return EntryKind::RegularFile;
}

// Qt's lock holds flock() on its file; the file is removed under that lock,
// and only if the name still is the file that was read.
bool RemoveFileThatIsNoLock(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  bool removed = false;
  struct stat opened {};
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)) {
    std::string bytes(kMaxLockBytes + 1, '\0');
    size_t filled = 0;
    for (ssize_t n; filled < bytes.size() && (n = ::read(fd, bytes.data() + filled, bytes.size() - filled)) != 0;) {
      if (n < 0) {
        if (errno == EINTR) continue;
        break;
      }
      filled += static_cast<size_t>(n);
    }
    bytes.resize(filled);
    struct stat named {};
    removed = CannotBeALock(bytes, path) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
              ::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
              named.st_ino == opened.st_ino && ::unlink(path.c_str()) == 0;
  }
  ::close(fd);
  return removed;
}

#endif
