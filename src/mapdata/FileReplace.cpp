#include "mapdata/FileReplace.h"

#include <cerrno>
#include <cstring>
#include <random>

#include "mapdata/NativeFile.h"

std::string FailureReason(int error, bool writing, FolderWords folder) {
  switch (error) {
    case EACCES:
    case EPERM:
      return writing ? std::string("нет прав на запись ") + folder.Into : "нет прав на чтение файла";
    case EROFS:
      return "диск доступен только для чтения";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
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

// Creates a temporary file of a name nobody could have planted: a fresh random
// name, created exclusively (an existing file or link of that name is never
// opened).
NativeFile CreateTemporaryBeside(const fs::path& target, fs::path& temp, int& error) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix(8, ' ');
    for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
    fs::path name(".");
    name += target.filename();
    name += "." + suffix;
    temp = target.parent_path() / name;
    NativeFile file = NativeFile::CreateNew(temp, error);
    if (file.IsOpen() || error != EEXIST) return file;
  }
  error = EEXIST;
  return NativeFile();
}

}  // namespace

bool ReplaceFile(const fs::path& target, const std::string& bytes, WriteFailure& failure) {
  fs::path temp;
  int error = 0;
  NativeFile file = CreateTemporaryBeside(target, temp, error);
  if (!file.IsOpen()) {
    failure = {error, "временный файл не создаётся"};
    return false;
  }
  if (!(file.WriteAll(bytes, error) && file.Sync(error) && file.Close(error))) {
    file.Close(error);
    std::error_code ignored;
    fs::remove(temp, ignored);
    failure = {error, "запись не удалась"};
    return false;
  }
  if (!RenameOver(temp, target, error)) {
    failure = {error, "старый файл не заменяется"};
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  SyncFolderEntries(target.parent_path());
  return true;
}

bool ReadPlainFile(const fs::path& path, std::string& bytes, int& error, size_t maxBytes) {
  NativeFile file = NativeFile::OpenPlain(path, error);
  return file.IsOpen() && file.ReadAll(bytes, error, maxBytes);
}
