#include "search/Keywords.h"

#include <fcntl.h>
#include <unistd.h>

#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "mapdata/Cp1251.h"
#include "mapdata/ProblemText.h"
#include "mapdata/TextLines.h"
#include "search/Collation.h"
#include "shell/MapCore.h"

namespace {

constexpr const char* kKeywordFile = "Kw.map";

const QCollator& KeywordCollator() {
  static const QCollator collator = RussianCollator(false);
  return collator;
}

// Why a file operation failed, in the words of the interface.
std::string ReasonText(int error, bool writing) {
  switch (error) {
    case EACCES:
    case EPERM:
      return writing ? "нет прав на запись в папку города" : "нет прав на чтение файла";
    case EROFS:
      return "диск доступен только для чтения";
    case ENOSPC:
    case EDQUOT:
      return "на диске нет места";
    case EISDIR:
      return "на месте файла находится папка";
    case ENOENT:
    case ENOTDIR:
      return "папка города не найдена";
    case EIO:
      return "ошибка ввода-вывода";
    default:
      return "системная ошибка " + std::to_string(error) + " (" + std::strerror(error) + ")";
  }
}

bool ReadWholeFile(const fs::path& path, std::string& bytes, int& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
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
  }
  ::close(fd);
  return true;
}

struct WriteFailure {
  int error = 0;
  std::string step;  // what was being done, in Russian
};

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

// Writes `bytes` to a temporary file beside `target`, flushes it to the disk and
// renames it over `target`: the old file stays whole until the new one is.
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

std::string KeywordFileBytes(const std::vector<std::string>& words) {
  std::string bytes;
  for (const std::string& word : words) bytes.append(word).append("\r\n");
  return bytes;
}

}  // namespace

bool KeywordLess(const std::string& a, const std::string& b) {
  return KeywordCollator().compare(cp1251::ToQString(a), cp1251::ToQString(b)) < 0;
}

void SortKeywords(std::vector<std::string>& words) {
  std::vector<std::pair<QString, std::string>> decoded;
  decoded.reserve(words.size());
  for (std::string& w : words) decoded.emplace_back(cp1251::ToQString(w), std::move(w));
  const QCollator& collator = KeywordCollator();
  std::stable_sort(decoded.begin(), decoded.end(),
                   [&](const auto& a, const auto& b) { return collator.compare(a.first, b.first) < 0; });
  for (size_t i = 0; i < words.size(); ++i) words[i] = std::move(decoded[i].second);
}

void LoadKeywords(MapCore& core) {
  const fs::path path = core.City().File(kKeywordFile);
  if (!FileExists(path)) return;
  std::string bytes;
  int error = 0;
  if (!ReadWholeFile(path, bytes, error)) {
    core.ShowMessage("Не удалось прочитать список ключевых слов из файла \"" + PathForMessage(path) + "\": " +
                     ReasonText(error, false) + ".");
    return;
  }
  std::vector<std::string> words = SplitTextLines(bytes);
  SortKeywords(words);
  core.Search.Keywords = std::move(words);
}

void AddKeyword(MapCore& core, const std::string& word) {
  std::vector<std::string>& words = core.Search.Keywords;
  words.insert(std::upper_bound(words.begin(), words.end(), word, KeywordLess), word);

  const fs::path path = core.City().File(kKeywordFile);
  WriteFailure failure;
  if (ReplaceFile(path, KeywordFileBytes(words), failure)) return;
  core.ShowMessage("Не удалось сохранить список ключевых слов в файл \"" + PathForMessage(path) + "\": " +
                   ReasonText(failure.error, true) + " (" + failure.step + "). Слово осталось в списке.");
}
