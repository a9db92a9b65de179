#include "mapdata/CityAccess.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "mapdata/NativeName.h"

namespace {

bool CanListFolder(const fs::path& dir) {
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  return !ec;
}

bool CanOpenFile(const fs::path& file) { return std::ifstream(file, std::ios::binary).is_open(); }

}  // namespace

bool FileMayExist(const fs::path& path) {
  std::error_code ec;
  const bool regular = fs::is_regular_file(path, ec);
  return regular || ec == std::errc::permission_denied;
}

std::string CityFolderProblem(const fs::path& cityDir, bool& unreadable) {
  unreadable = true;
  if (!CanListFolder(cityDir)) return "не удается прочитать папку города " + NativeString(cityDir);
  const fs::path about = ResolvePath(cityDir, "Info/about.inf");
  if (!FileMayExist(about)) {
    unreadable = false;
    return NativeString(cityDir) + " не папка города: нет файла Info/about.inf";
  }
  if (!CanOpenFile(about)) return "не удается прочитать файл " + NativeString(about);
  unreadable = false;
  return {};
}

bool FolderUnreadable(const fs::path& dir) {
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  return ec == std::errc::permission_denied;
}

std::vector<fs::path> UnreadableLayerFiles(const CityLocation& city) {
  std::vector<fs::path> unreadable;
  for (const char* folder : {"Icons", "Firms"})
    if (FolderUnreadable(city.File(folder))) unreadable.push_back(city.File(folder));
  const auto note = [&](const fs::path& path) {
    if (std::find(unreadable.begin(), unreadable.end(), path) == unreadable.end()) unreadable.push_back(path);
  };
  for (const LayerReading* reading : LayerReadings()) {
    const fs::path scrambled = city.File(reading->Files.Scrambled);
    const bool isScrambled = FileMayExist(scrambled);
    const fs::path file = isScrambled ? scrambled : city.File(reading->Files.Plain);
    if (!isScrambled && !FileMayExist(file)) continue;
    // Behind a folder that cannot be read, which file is there cannot be told.
    if (!FileExists(file))
      note(file.parent_path());
    else if (!CanOpenFile(file))
      note(file);
  }
  return unreadable;
}
