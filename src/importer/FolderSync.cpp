#include "importer/FolderSync.h"

#ifdef __linux__
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <fstream>

#include "mapdata/NativeFile.h"
#include "mapdata/NativeName.h"

namespace fs = std::filesystem;

namespace {

bool SyncPath(const fs::path& path, bool folder, std::string& error) {
  int failure = 0;
  NativeFile file = NativeFile::OpenToSync(path, folder, failure);
  if ((!file.IsOpen() && failure != 0) || !file.Sync(failure) || !file.Close(failure)) {
    error = NativeString(path) + ": cannot be written to disk (" + std::strerror(failure) + ")";
    return false;
  }
  return true;
}

}  // namespace

#ifdef __linux__

// One syncfs writes the whole tree, and whatever else waits on its file
// system, with one journal commit, where an fsync per file costs a commit
// each: most of the time of a small city's import.  It reports a write that
// failed since the tree's file system was last asked (Linux 5.8 and later).
bool SyncTree(const fs::path& dir, std::string& error) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  const bool synced = fd >= 0 && ::syncfs(fd) == 0;
  const int failure = errno;
  if (fd >= 0) ::close(fd);
  if (!synced) error = NativeString(dir) + ": cannot be written to disk (" + std::strerror(failure) + ")";
  return synced;
}

#else

// Elsewhere every file is flushed on its own (FlushFileBuffers on Windows).
bool SyncTree(const fs::path& dir, std::string& error) {
  std::error_code ec;
  for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::file_status status = it->symlink_status(ec);
    if (ec) break;
    if ((fs::is_regular_file(status) || fs::is_directory(status)) &&
        !SyncPath(it->path(), fs::is_directory(status), error))
      return false;
  }
  if (ec) {
    error = NativeString(dir) + ": cannot be read (" + ec.message() + ")";
    return false;
  }
  return SyncPath(dir, true, error);
}

#endif

bool SyncFolder(const fs::path& dir, std::string& error) { return SyncPath(dir, true, error); }

SwapResult SwapPaths(const fs::path& a, const fs::path& b) {
#if defined(__linux__) && defined(SYS_renameat2)
  constexpr unsigned kRenameExchange = 1u << 1;  // RENAME_EXCHANGE, not in every libc's headers
  if (syscall(SYS_renameat2, AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), kRenameExchange) == 0)
    return SwapResult::Swapped;
  return errno == EINVAL || errno == ENOSYS || errno == ENOTSUP ? SwapResult::Unsupported : SwapResult::Failed;
#else
  (void)a;
  (void)b;
  errno = ENOSYS;
  return SwapResult::Unsupported;
#endif
}

// Linux tells the umask without changing it; elsewhere it is set and set
// back, which other threads may see for that moment.  Windows has none.
unsigned CurrentUmask() {
#ifdef _WIN32
  return 0;
#else
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("Umask:", 0) == 0) return static_cast<unsigned>(std::stoul(line.substr(6), nullptr, 8)) & 0777;
  const mode_t mask = umask(022);
  umask(mask);
  return mask;
#endif
}
