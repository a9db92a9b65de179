#include "mapdata/DirectoryScan.h"
#include "mapdata/NativeName.h"

#include <algorithm>
#include <system_error>

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithFolded(std::string_view name, std::string_view extension) {
  if (name.size() < extension.size()) return false;
  const std::string_view tail = name.substr(name.size() - extension.size());
  return std::equal(tail.begin(), tail.end(), extension.begin(),
                    [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

}  // namespace

std::vector<std::string> ListEntries(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(NativeString(it->path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> EntriesEndingWith(const std::vector<std::string>& listed, std::string_view extension) {
  std::vector<std::string> names;
  for (const std::string& name : listed)
    if (EndsWithFolded(name, extension)) names.push_back(name);
  return names;
}

std::vector<std::string> FindEntries(const std::filesystem::path& dir, std::string_view extension) {
  return EntriesEndingWith(ListEntries(dir), extension);
}

bool HasExactExtension(std::string_view name, std::string_view extension) {
  return name.size() >= extension.size() && name.substr(name.size() - extension.size()) == extension;
}
