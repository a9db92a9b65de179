#include "OutputFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace fs = std::filesystem;

namespace {

// A fresh folder beside the target, named after it.
bool MakeUniqueFolder(const fs::path& dataRoot, const std::string& prefix, fs::path& made, std::string& error) {
  std::string pattern = (dataRoot / (prefix + "XXXXXX")).string();
  if (!mkdtemp(pattern.data())) {
    error = dataRoot.string() + ": cannot make a folder in it (" + std::strerror(errno) + ")";
    return false;
  }
  made = pattern;
  return true;
}

}  // namespace

OutputFolder::OutputFolder(fs::path dataRoot, std::string cityName)
    : dataRoot_(std::move(dataRoot)), cityName_(std::move(cityName)) {}

OutputFolder::~OutputFolder() {
  std::error_code ec;
  if (!published_ && !temporary_.empty()) fs::remove_all(temporary_, ec);
}

bool OutputFolder::Create(std::string& error) {
  std::error_code ec;
  fs::create_directories(dataRoot_, ec);
  if (ec) {
    error = dataRoot_.string() + ": cannot be made (" + ec.message() + ")";
    return false;
  }
  return MakeUniqueFolder(dataRoot_, "." + cityName_ + ".import-", temporary_, error);
}

bool OutputFolder::Publish(bool replace, std::string& error) {
  const fs::path target = Target();
  std::error_code ec;
  fs::path old;
  if (fs::exists(fs::symlink_status(target, ec))) {
    if (!replace) {
      error = target.string() + " already exists (--replace replaces it)";
      return false;
    }
    if (!MakeUniqueFolder(dataRoot_, "." + cityName_ + ".old-", old, error)) return false;
    fs::rename(target, old / cityName_, ec);
    if (ec) {
      error = target.string() + ": cannot be moved aside (" + ec.message() + ")";
      fs::remove_all(old, ec);
      return false;
    }
  }
  fs::rename(temporary_, target, ec);
  if (ec) {
    error = target.string() + ": cannot be written (" + ec.message() + ")";
    std::error_code back;
    if (!old.empty()) fs::rename(old / cityName_, target, back);
    if (!old.empty()) fs::remove_all(old, back);
    return false;
  }
  published_ = true;
  if (!old.empty()) fs::remove_all(old, ec);
  return true;
}
