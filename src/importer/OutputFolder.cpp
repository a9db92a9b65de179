#include "importer/OutputFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "importer/FolderSync.h"
#include "mapdata/NativeName.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kUniqueLetters = 6;

std::string UniqueLetters() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  std::string letters(kUniqueLetters, ' ');
  for (char& c : letters) c = kLetters[random() % (sizeof kLetters - 1)];
  return letters;
}

// A fresh folder beside the target, named after it, that did not exist before
// (create_directory does not take an existing name), with the mode a folder
// made under the umask gets.
bool MakeUniqueFolder(const fs::path& dataRoot, const std::string& prefix, fs::path& made, std::string& error) {
  std::error_code ec;
  for (int attempt = 0; attempt < 100; ++attempt) {
    made = dataRoot / fs::u8path(prefix + UniqueLetters());
    if (fs::create_directory(made, ec)) break;
    if (ec) {
      error = NativeString(dataRoot) + ": cannot make a folder in it (" + ec.message() + ")";
      return false;
    }
    made.clear();
  }
  if (made.empty()) {
    error = NativeString(dataRoot) + ": cannot make a folder in it (" + std::strerror(EEXIST) + ")";
    return false;
  }
  fs::permissions(made, static_cast<fs::perms>(0777 & ~CurrentUmask()), ec);
  if (ec) {
    error = NativeString(made) + ": cannot set its mode (" + ec.message() + ")";
    fs::remove(made, ec);
    return false;
  }
  return true;
}

// ".NAME.import-" or ".NAME.old-" and the unique letters.
bool IsLeftoverOf(const std::string& entry, const std::string& city) {
  for (const char* kind : {".import-", ".old-"}) {
    const std::string prefix = "." + city + kind;
    if (entry.size() == prefix.size() + kUniqueLetters && entry.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

// The test hook of OutputFolder.h: the process ends here as if killed.
void StopIfAsked(const char* step) {
  const char* stop = std::getenv("TELLURIN_IMPORT_TEST_STOP");
  if (stop && std::strcmp(stop, step) == 0) std::_Exit(75);
}

}  // namespace

OutputFolder::OutputFolder(fs::path dataRoot, std::string cityName)
    : dataRoot_(std::move(dataRoot)), cityName_(std::move(cityName)), lock_(dataRoot_, cityName_) {}

OutputFolder::~OutputFolder() {
  std::error_code ec;
  if (!published_ && !temporary_.empty()) fs::remove_all(temporary_, ec);
}

bool OutputFolder::Create(std::string& error, const ImportControl& control) {
  std::error_code ec;
  fs::create_directories(dataRoot_, ec);
  if (ec) {
    error = NativeString(dataRoot_) + ": cannot be made (" + ec.message() + ")";
    return false;
  }
  if (!lock_.Take(control, error)) return false;
  RemoveLeftovers();
  return MakeUniqueFolder(dataRoot_, "." + cityName_ + ".import-", temporary_, error);
}

// remove_all takes a link away without following it.
void OutputFolder::RemoveLeftovers() const {
  std::error_code ec;
  for (fs::directory_iterator it(dataRoot_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (IsLeftoverOf(NativeString(it->path().filename()), cityName_)) fs::remove_all(it->path(), ignored);
  }
}

// Once the city is in place, a failure to flush the rename is no reason to
// report the import as failed: the city is there either way.
void OutputFolder::SyncRenames() const {
  std::string ignored;
  SyncFolder(dataRoot_, ignored);
}

bool OutputFolder::Publish(bool replace, std::string& error) {
  const fs::path target = Target();
  if (!SyncTree(temporary_, error)) return false;
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(target, ec))) {
    fs::rename(temporary_, target, ec);
    if (ec) {
      error = NativeString(target) + ": cannot be written (" + ec.message() + ")";
      return false;
    }
    published_ = true;
    SyncRenames();
    return true;
  }
  if (!replace) {
    error = NativeString(target) + " already exists (--replace replaces it)";
    return false;
  }
  StopIfAsked("before-swap");
  switch (SwapPaths(temporary_, target)) {
    case SwapResult::Swapped:
      break;
    case SwapResult::Unsupported:
      return MoveAsideAndIn(error);
    case SwapResult::Failed:
      error = NativeString(target) + ": cannot be replaced (" + std::strerror(errno) + ")";
      return false;
  }
  published_ = true;
  StopIfAsked("after-swap");
  SyncRenames();
  fs::remove_all(temporary_, ec);  // the temporary name now holds the old city
  return true;
}

// Where the folders cannot be swapped in one step: the old city is renamed
// aside and the new one in.  A kill between the two leaves the old city in
// ".NAME.old-*" and nothing under its name until the next import.
bool OutputFolder::MoveAsideAndIn(std::string& error) {
  const fs::path target = Target();
  std::error_code ec;
  fs::path old;
  if (!MakeUniqueFolder(dataRoot_, "." + cityName_ + ".old-", old, error)) return false;
  fs::rename(target, old / NativePath(cityName_), ec);
  if (ec) {
    error = NativeString(target) + ": cannot be moved aside (" + ec.message() + ")";
    fs::remove_all(old, ec);
    return false;
  }
  fs::rename(temporary_, target, ec);
  if (ec) {
    error = NativeString(target) + ": cannot be written (" + ec.message() + ")";
    std::error_code back;
    fs::rename(old / NativePath(cityName_), target, back);
    fs::remove_all(old, back);
    return false;
  }
  published_ = true;
  StopIfAsked("after-swap");  // as after a swap: the new city in place, the old beside it
  SyncRenames();
  fs::remove_all(old, ec);
  return true;
}
