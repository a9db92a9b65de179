#include "mapdata/FileReplace.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <random>

#include "mapdata/NativeFile.h"
#include "mapdata/NativeName.h"
#include "mapdata/PlantedLock.h"

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

constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr size_t kSuffixLength = 8;

bool SameLetterCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// ".NAME.XXXXXXXX": a dot, the target's name, a dot and eight of kLetters.
bool IsTemporaryName(const std::string& name, const std::string& target) {
  const size_t length = 1 + target.size() + 1 + kSuffixLength;
  if (name.size() != length || name[0] != '.' || name[1 + target.size()] != '.') return false;
  const std::string_view suffix = std::string_view(name).substr(length - kSuffixLength);
  return SameLetterCase(std::string_view(name).substr(1, target.size()), target) &&
         suffix.find_first_not_of(kLetters) == std::string_view::npos;
}

// Creates a temporary file of a name nobody could have planted: a fresh random
// name, created exclusively (an existing file or link of that name is never
// opened).
NativeFile CreateTemporaryBeside(const fs::path& target, fs::path& temp, int& error) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix(kSuffixLength, ' ');
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

void RemoveLeftoverTemporaries(const fs::path& target) {
  const std::string targetName = NativeString(target.filename());
  std::error_code ec;
  for (fs::directory_iterator it(target.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    if (!IsTemporaryName(NativeString(path.filename()), targetName) || EntryKindAt(path) != EntryKind::RegularFile)
      continue;
    std::error_code ignored;
    fs::remove(path, ignored);
  }
}

bool ReadPlainFile(const fs::path& path, std::string& bytes, int& error, size_t maxBytes) {
  NativeFile file = NativeFile::OpenPlain(path, error);
  return file.IsOpen() && file.ReadAll(bytes, error, maxBytes);
}
