#include "search/Keywords.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <utility>

#include "mapdata/CityLocation.h"
#include "mapdata/Cp1251.h"
#include "mapdata/FileReplace.h"
#include "mapdata/NativeName.h"
#include "mapdata/ProblemText.h"
#include "mapdata/TextLines.h"
#include "search/Collation.h"
#include "search/KeywordLock.h"
#include "state/MapCore.h"

namespace {

constexpr const char* kKeywordFile = "Kw.map";
constexpr FolderWords kCityFolder{"в папку города", "папка города"};

std::string KeywordFileBytes(const std::vector<std::string>& words) {
  std::string bytes;
  for (const std::string& word : words) bytes.append(word).append("\r\n");
  return bytes;
}

// Cuts `bytes` after its `count`-th line (CR LF, CR and LF end a line), before
// splitting: a megabyte of line breaks would be a million empty words.  True
// when something was cut.
bool KeepFirstLines(std::string& bytes, size_t count) {
  size_t lines = 0;
  for (size_t at = 0; at < bytes.size(); ++at) {
    if (bytes[at] != '\r' && bytes[at] != '\n') continue;
    if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') ++at;
    if (++lines == count && at + 1 < bytes.size()) {
      bytes.resize(at + 1);
      return true;
    }
  }
  return false;
}

// The file of the list as it is now, up to the limits; a missing file is an
// empty list.  `whole` is false when the file holds more than was read.
bool ReadKeywordFile(const fs::path& path, std::vector<std::string>& words, bool& whole, int& error) {
  words.clear();
  whole = true;
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(path, ec))) return true;
  std::string bytes;
  if (!ReadPlainFile(path, bytes, error, kMaxKeywordFileBytes)) {
    if (error != EFBIG) return false;
    // Only whole lines of the part read: a word cut at the limit is left out.
    bytes.resize(kMaxKeywordFileBytes);
    const size_t lineEnd = bytes.find_last_of("\r\n");
    bytes.resize(lineEnd == std::string::npos ? 0 : lineEnd + 1);
    whole = false;
  }
  if (KeepFirstLines(bytes, kMaxKeywords)) whole = false;
  words = SplitTextLines(bytes);
  return true;
}

std::string LimitsText() {
  return std::to_string(kMaxKeywordFileBytes / (1024 * 1024)) + " МБ или " + std::to_string(kMaxKeywords) + " слов";
}

// Whether the list fits the limits its next reading keeps to.
bool FitsTheLimits(const std::vector<std::string>& words, const std::string& bytes) {
  return words.size() <= kMaxKeywords && bytes.size() <= kMaxKeywordFileBytes;
}

// Every word of either list, a word repeated as often as the list holding it
// more often has it: what another program saved meanwhile is kept, and so is
// what this one holds and has not saved yet.
std::vector<std::string> MergedKeywords(const std::vector<std::string>& saved, const std::vector<std::string>& held) {
  std::vector<std::string> merged = saved;
  std::vector<std::string> rest = held;
  std::sort(merged.begin(), merged.end());
  std::sort(rest.begin(), rest.end());
  std::vector<std::string> extra;
  std::set_difference(rest.begin(), rest.end(), merged.begin(), merged.end(), std::back_inserter(extra));
  merged.insert(merged.end(), extra.begin(), extra.end());
  SortKeywords(merged);
  return merged;
}

bool HoldsLineBreakOrTab(const std::string& word) { return word.find_first_of("\r\n\t") != std::string::npos; }

}  // namespace

bool KeywordLess(const std::string& a, const std::string& b) {
  return RussianSortKey(a, false) < RussianSortKey(b, false);
}

void SortKeywords(std::vector<std::string>& words) {
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(words.size());
  for (std::string& w : words) keyed.emplace_back(RussianSortKey(w, false), std::move(w));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < words.size(); ++i) words[i] = std::move(keyed[i].second);
}

void LoadKeywords(MapCore& core) {
  const fs::path path = core.City().File(kKeywordFile);
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(path, ec))) return;
  std::vector<std::string> words;
  bool whole = true;
  int error = 0;
  if (!ReadKeywordFile(path, words, whole, error)) {
    core.ShowMessage("Не удалось прочитать список ключевых слов из файла \"" + PathForMessage(path) + "\": " +
                     FailureReason(error, false, kCityFolder) + ".");
    return;
  }
  if (!whole)
    core.ShowMessage("Список ключевых слов в файле \"" + PathForMessage(path) + "\" больше допустимого (" +
                     LimitsText() + "): прочитано начало (слов: " + std::to_string(words.size()) +
                     "). Пока файл не станет меньше, новые слова в него не сохраняются.");
  SortKeywords(words);
  core.Search.Keywords = std::move(words);
}

void AddKeyword(MapCore& core, const std::string& word) {
  if (HoldsLineBreakOrTab(word)) {
    core.ShowMessage("Слово не добавлено в список ключевых слов: в нём есть перевод строки или табуляция.");
    return;
  }
  std::vector<std::string>& words = core.Search.Keywords;
  words.insert(std::upper_bound(words.begin(), words.end(), word, KeywordLess), word);

  const std::string failed = "Не удалось сохранить список ключевых слов в файл \"";
  KeywordLock lock(core.City().CityDir());
  if (std::string reason; !lock.Take(reason)) {
    core.ShowMessage(failed + PathForMessage(core.City().File(kKeywordFile)) + "\": " + reason +
                     ". Слово осталось в списке.");
    return;
  }
  // Under the lock the file is read again: the words another program saved
  // since this city was loaded stay in it.  No other save is under way, so a
  // temporary file beside the list is one a killed save left.
  const fs::path path = core.City().File(kKeywordFile);
  RemoveLeftoverTemporaries(path);
  std::vector<std::string> saved;
  bool whole = true;
  int error = 0;
  // A link in the file's place is not read through (its loading said so); the
  // save puts a plain file in its place.
  if (!ReadKeywordFile(path, saved, whole, error) && error != ELOOP) {
    core.ShowMessage(failed + PathForMessage(path) + "\": " + FailureReason(error, false, kCityFolder) +
                     " (старый список не читается). Слово осталось в списке.");
    return;
  }
  // A file read in part is never written over: the words beyond the limit
  // would be lost.  Nor is a list written that the next load would cut.
  if (!whole) {
    core.ShowMessage(failed + PathForMessage(path) + "\": файл больше допустимого (" + LimitsText() +
                     ") и сохранение потеряло бы слова сверх этого; уменьшите файл. Слово осталось в списке.");
    return;
  }
  std::vector<std::string> merged = MergedKeywords(saved, words);
  const std::string bytes = KeywordFileBytes(merged);
  if (!FitsTheLimits(merged, bytes)) {
    core.ShowMessage(failed + PathForMessage(path) + "\": список стал бы больше допустимого (" + LimitsText() +
                     "). Слово осталось в списке.");
    return;
  }
  words = std::move(merged);
  WriteFailure failure;
  if (ReplaceFile(path, bytes, failure)) return;
  core.ShowMessage(failed + PathForMessage(path) + "\": " + FailureReason(failure.error, true, kCityFolder) + " (" +
                   failure.step + "). Слово осталось в списке.");
}
