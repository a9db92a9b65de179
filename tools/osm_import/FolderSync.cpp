#include "FolderSync.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/syscall.h>
#endif

#include <cerrno>
#include <cstring>
#include <fstream>

namespace fs = std::filesystem;

namespace {

bool SyncPath(const fs::path& path, bool folder, std::string& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
  if (fd < 0 || (fsync(fd) != 0 && errno != EINVAL)) {  // EINVAL: a file system that cannot sync
    error = path.string() + ": cannot be written to disk (" + std::strerror(errno) + ")";
    if (fd >= 0) close(fd);
    return false;
  }
  close(fd);
  return true;
}

}  // namespace

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
    error = dir.string() + ": cannot be read (" + ec.message() + ")";
    return false;
  }
  return SyncPath(dir, true, error);
}

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
// back, which other threads may see for that moment.
unsigned CurrentUmask() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("Umask:", 0) == 0) return static_cast<unsigned>(std::stoul(line.substr(6), nullptr, 8)) & 0777;
  const mode_t mask = umask(022);
  umask(mask);
  return mask;
}
