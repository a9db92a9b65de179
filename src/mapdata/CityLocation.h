#pragma once
// Where a city's files lie: data root ("Base" beside the executable) + city
// directory name + the file's relative path.  Real data sets come from Windows,
// where names are case-insensitive: a component that does not exist with the
// exact case is looked up case-insensitively in its folder.
#include <filesystem>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace fs = std::filesystem;

// The directory of the running executable.
fs::path ExecutableDir();
// ExecutableDir() / "Base".
fs::path DefaultDataRoot();

// base / relative, each missing component of `relative` replaced by the entry of
// its folder whose name matches it case-insensitively (ASCII and Windows-1251
// letters).  When nothing matches, the exact-case path is returned.
fs::path ResolvePath(const fs::path& base, const fs::path& relative);

// The entries of one folder, read once, looked up as ResolvePath looks up a
// name: the exact name when the folder has it, else the first entry that
// matches it case-insensitively.  For the many lookups of one load (a firm's
// picture each), where a search of the folder per name would cost the square
// of its size.
class FolderIndex {
 public:
  explicit FolderIndex(const fs::path& dir);
  // dir / the entry `name` stands for; dir / name when none matches.
  fs::path Resolve(const fs::path& name) const;

 private:
  fs::path dir_;
  std::unordered_set<std::string> exact_;
  std::unordered_map<std::string, fs::path> folded_;  // by the folded name, UTF-8
};

// The platform's file-exists test: a regular file (a folder bearing the name of
// a data file counts as absent).
bool FileExists(const fs::path& path);
bool DirectoryExists(const fs::path& path);

struct CityLocation {
  fs::path DataRoot;     // ".../Base"
  std::string CityName;  // directory name, as the directory search returns it

  fs::path CityDir() const;
  // A file of the city given by its path relative to the city directory, with
  // '/' separators ("Data/Streets.txt", "Info/about.inf", "Firms/").
  fs::path File(const std::string& relative) const;
};
