#include "mapdata/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

std::string FailureReason(int error, bool writing, FolderWords folder) {
  switch (error) {
    case EACCES:
    case EPERM:
      return writing ? std::string("нет прав на запись ") + folder.Into : "нет прав на чтение файла";
    case EROFS:
      return "диск доступен только для чтения";
    case ENOSPC:
    case EDQUOT:
      return "на диске нет места";
    case EISDIR:
      return "на месте файла находится папка";
    case ENOENT:
    case ENOTDIR:
      return std::string(folder.Subject) + " не найдена";
    case EIO:
      return "ошибка ввода-вывода";
    case ELOOP:
      return "на месте файла находится символическая ссылка";
    case EINVAL:
      return "на месте файла находится не обычный файл";
    default:
      return "системная ошибка " + std::to_string(error) + " (" + std::strerror(error) + ")";
  }
}

namespace {

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Makes a rename in `dir` durable; a folder that cannot be synced is no failure
// of the write itself.
void SyncDirectory(const fs::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Creates a temporary file of a name nobody could have planted: a fresh random
// name, created exclusively (an existing file or link of that name is never
// opened).  Mode 0666 less the umask, as any new file of the user's.
int CreateTemporaryBeside(const fs::path& target, fs::path& temp) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix(8, ' ');
    for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
    temp = target.parent_path() / ("." + target.filename().string() + "." + suffix);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

bool ReplaceFile(const fs::path& target, const std::string& bytes, WriteFailure& failure) {
  fs::path temp;
  const int fd = CreateTemporaryBeside(target, temp);
  if (fd < 0) {
    failure = {errno, "временный файл не создаётся"};
    return false;
  }
  const bool written = WriteAll(fd, bytes);
  int error = errno;
  const bool synced = written && ::fsync(fd) == 0;
  if (written && !synced) error = errno;
  const bool closed = ::close(fd) == 0;
  if (written && synced && !closed) error = errno;
  if (!(written && synced && closed)) {
    ::unlink(temp.c_str());
    failure = {error, "запись не удалась"};
    return false;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    failure = {errno, "старый файл не заменяется"};
    ::unlink(temp.c_str());
    return false;
  }
  SyncDirectory(target.parent_path());
  return true;
}

bool ReadPlainFile(const fs::path& path, std::string& bytes, int& error, size_t maxBytes) {
  // Non-blocking, so that a FIFO planted under the name cannot hang the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  struct stat info {};
  const bool stated = ::fstat(fd, &info) == 0;
  if (!stated || !S_ISREG(info.st_mode)) {
    error = !stated ? errno : S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    return false;
  }
  if (static_cast<uintmax_t>(info.st_size) > maxBytes) {
    error = EFBIG;
    ::close(fd);
    return false;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      ::close(fd);
      return false;
    }
    bytes.append(buffer, static_cast<size_t>(n));
    if (bytes.size() > maxBytes) {  // it grew while being read
      error = EFBIG;
      ::close(fd);
      return false;
    }
  }
  ::close(fd);
  return true;
}
