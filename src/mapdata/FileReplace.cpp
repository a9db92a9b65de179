#include "mapdata/FileReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

}  // namespace

bool ReplaceFile(const fs::path& target, const std::string& bytes, WriteFailure& failure) {
  fs::path temp = target;
  temp += ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    failure = {errno, "временный файл \"" + temp.filename().string() + "\" не создаётся"};
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
