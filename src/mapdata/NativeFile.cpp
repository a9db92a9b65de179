#include "mapdata/NativeFile.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

NativeFile::NativeFile(NativeFile&& other) noexcept { *this = std::move(other); }

#ifdef _WIN32

namespace {

// The errno value that tells the same as a Windows error.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_CANT_ACCESS_FILE:
    case ERROR_CANT_RESOLVE_FILENAME:
      return ELOOP;
    default:
      return EIO;
  }
}

HANDLE AsHandle(void* handle) { return static_cast<HANDLE>(handle); }

}  // namespace

NativeFile& NativeFile::operator=(NativeFile&& other) noexcept {
  std::swap(handle_, other.handle_);
  return *this;
}

NativeFile::~NativeFile() {
  if (IsOpen()) CloseHandle(AsHandle(handle_));
}

bool NativeFile::IsOpen() const { return AsHandle(handle_) != INVALID_HANDLE_VALUE; }

NativeFile NativeFile::CreateNew(const fs::path& path, int& error) {
  NativeFile file;
  // CREATE_NEW fails on any existing name, a link's included, and never opens its target.
  file.handle_ = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!file.IsOpen()) error = ErrnoOf(GetLastError());
  return file;
}

NativeFile NativeFile::OpenPlain(const fs::path& path, int& error) {
  NativeFile file;
  // The reparse point itself is opened, not what it points at; it is then refused below.
  file.handle_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                             nullptr);
  if (!file.IsOpen()) {
    error = ErrnoOf(GetLastError());
    return file;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(AsHandle(file.handle_), &info)) {
    error = ErrnoOf(GetLastError());
    return NativeFile();
  }
  const bool link = info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
  const bool folder = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  if (link || folder || GetFileType(AsHandle(file.handle_)) != FILE_TYPE_DISK) {
    error = link ? ELOOP : folder ? EISDIR : EINVAL;
    return NativeFile();
  }
  return file;
}

NativeFile NativeFile::OpenToSync(const fs::path& path, bool folder, int& error) {
  NativeFile file;
  if (folder) return file;  // Windows cannot flush a folder; its entries are written with the rename
  file.handle_ = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (!file.IsOpen()) error = ErrnoOf(GetLastError());
  return file;
}

bool NativeFile::WriteAll(std::string_view bytes, int& error) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(AsHandle(handle_), bytes.data(), chunk, &written, nullptr)) {
      error = ErrnoOf(GetLastError());
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool NativeFile::ReadAll(std::string& bytes, int& error, size_t maxBytes) {
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(AsHandle(handle_), buffer, sizeof buffer, &read, nullptr)) {
      error = ErrnoOf(GetLastError());
      return false;
    }
    if (read == 0) return true;
    bytes.append(buffer, read);
    if (bytes.size() > maxBytes) return (error = EFBIG, false);
  }
}

bool NativeFile::Sync(int& error) {
  if (!IsOpen() || FlushFileBuffers(AsHandle(handle_))) return true;
  error = ErrnoOf(GetLastError());
  return false;
}

bool NativeFile::Close(int& error) {
  if (!IsOpen()) return true;
  const bool closed = CloseHandle(AsHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)));
  if (!closed) error = ErrnoOf(GetLastError());
  return closed;
}

// A file another program has open (a reader between its open and its close,
// a virus scanner, an indexer) refuses to be replaced for a moment: the rename
// is tried again for up to a second before the failure is reported.
bool RenameOver(const fs::path& from, const fs::path& to, int& error) {
  constexpr int kTries = 20;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD failure = GetLastError();
    const bool held = failure == ERROR_ACCESS_DENIED || failure == ERROR_SHARING_VIOLATION;
    if (!held || attempt == kTries) {
      error = ErrnoOf(failure);
      return false;
    }
    Sleep(50);
  }
}

void SyncFolderEntries(const fs::path&) {}

#else

NativeFile& NativeFile::operator=(NativeFile&& other) noexcept {
  std::swap(fd_, other.fd_);
  return *this;
}

NativeFile::~NativeFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool NativeFile::IsOpen() const { return fd_ >= 0; }

NativeFile NativeFile::CreateNew(const fs::path& path, int& error) {
  NativeFile file;
  file.fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (file.fd_ < 0) error = errno;
  return file;
}

NativeFile NativeFile::OpenPlain(const fs::path& path, int& error) {
  NativeFile file;
  // Non-blocking, so that a FIFO planted under the name cannot hang the open.
  file.fd_ = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (file.fd_ < 0) {
    error = errno;
    return file;
  }
  struct stat info {};
  const bool stated = ::fstat(file.fd_, &info) == 0;
  if (!stated || !S_ISREG(info.st_mode)) {
    error = !stated ? errno : S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return NativeFile();
  }
  return file;
}

NativeFile NativeFile::OpenToSync(const fs::path& path, bool folder, int& error) {
  NativeFile file;
  file.fd_ = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
  if (file.fd_ < 0) error = errno;
  return file;
}

bool NativeFile::WriteAll(std::string_view bytes, int& error) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool NativeFile::ReadAll(std::string& bytes, int& error, size_t maxBytes) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    bytes.append(buffer, static_cast<size_t>(n));
    if (bytes.size() > maxBytes) return (error = EFBIG, false);
  }
}

bool NativeFile::Sync(int& error) {
  if (fd_ < 0 || ::fsync(fd_) == 0 || errno == EINVAL) return true;  // EINVAL: a file system that cannot sync
  error = errno;
  return false;
}

bool NativeFile::Close(int& error) {
  if (fd_ < 0) return true;
  const bool closed = ::close(std::exchange(fd_, -1)) == 0;
  if (!closed) error = errno;
  return closed;
}

bool RenameOver(const fs::path& from, const fs::path& to, int& error) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  error = errno;
  return false;
}

void SyncFolderEntries(const fs::path& dir) {
  int ignored = 0;
  NativeFile folder = NativeFile::OpenToSync(dir, true, ignored);
  folder.Sync(ignored);
}

#endif
