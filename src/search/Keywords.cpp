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

// The file of the list as it is now; a missing file is an empty list.
bool ReadKeywordFile(const fs::path& path, std::vector<std::string>& words, int& error) {
  words.clear();
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(path, ec))) return true;
  std::string bytes;
  if (!ReadPlainFile(path, bytes, error)) return false;
  words = SplitTextLines(bytes);
  return true;
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
  int error = 0;
  if (!ReadKeywordFile(path, words, error)) {
    core.ShowMessage("Не удалось прочитать список ключевых слов из файла \"" + PathForMessage(path) + "\": " +
                     FailureReason(error, false, kCityFolder) + ".");
    return;
  }
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
  int error = 0;
  // A link in the file's place is not read through (its loading said so); the
  // save puts a plain file in its place.
  if (!ReadKeywordFile(path, saved, error) && error != ELOOP) {
    core.ShowMessage(failed + PathForMessage(path) + "\": " + FailureReason(error, false, kCityFolder) +
                     " (старый список не читается). Слово осталось в списке.");
    return;
  }
  words = MergedKeywords(saved, words);
  WriteFailure failure;
  if (ReplaceFile(path, KeywordFileBytes(words), failure)) return;
  core.ShowMessage(failed + PathForMessage(path) + "\": " + FailureReason(failure.error, true, kCityFolder) + " (" +
                   failure.step + "). Слово осталось в списке.");
}
