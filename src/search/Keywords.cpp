#include "search/Keywords.h"

#include <fcntl.h>
#include <unistd.h>

#include <QString>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "mapdata/Cp1251.h"
#include "mapdata/FileReplace.h"
#include "mapdata/ProblemText.h"
#include "mapdata/TextLines.h"
#include "search/Collation.h"
#include "shell/MapCore.h"

namespace {

constexpr const char* kKeywordFile = "Kw.map";
constexpr FolderWords kCityFolder{"в папку города", "папка города"};

const QCollator& KeywordCollator() {
  static const QCollator collator = RussianCollator(false);
  return collator;
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
                     FailureReason(error, false, kCityFolder) + ".");
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
                   FailureReason(failure.error, true, kCityFolder) + " (" + failure.step + "). Слово осталось в списке.");
}
