#pragma once
#include <filesystem>
#include <map>
#include <string>

// A fresh folder under the system's temporary directory, removed with its content.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Writes bytes to a file, creating its folders.
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& file);

// Every entry under `dir`, by its path relative to `dir`, with the bytes of
// the files ("" for folders): a whole tree to compare before and after.
std::map<std::filesystem::path, std::string> TreeEntries(const std::filesystem::path& dir);
