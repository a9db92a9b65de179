#include "importer/ImportLock.h"

#include <QLockFile>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "mapdata/NativeName.h"

namespace fs = std::filesystem;

namespace {

// A lock as Qt writes it is five short lines: process, program, host and two ids.
constexpr std::uintmax_t kMaxLockBytes = 4096;
constexpr auto kPollInterval = std::chrono::milliseconds(100);

// Qt takes a dead process's lock away under a second lock of this name.
fs::path RemovalLockOf(const fs::path& lock) { return fs::path(lock) += ".rmlock"; }

// What stands at `path` that no lock can be, in words; empty for nothing or a
// small regular file.
std::string ForeignKind(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  if (ec || !fs::exists(status)) return {};
  if (fs::is_symlink(status)) return "a link";
  if (fs::is_directory(status)) return "a folder";
  if (!fs::is_regular_file(status)) return "a special file";
  if (const std::uintmax_t size = fs::file_size(path, ec); !ec && size > kMaxLockBytes) return "a large file";
  return {};
}

std::string ForeignReason(const fs::path& path, const std::string& kind, const std::string& city) {
  return NativeString(path) + ": a foreign file of that name is in the data root (" + kind +
         ", not the lock of an import); remove it if no import of \"" + city + "\" is running, and import again";
}

std::string CannotMakeReason(const fs::path& path, QLockFile::LockError error, int failure) {
  if (error == QLockFile::PermissionError)
    return NativeString(path) + ": cannot be made (no right to write in the data root, or it is read-only)";
  return NativeString(path) + ": cannot be made" + (failure ? " (" + std::string(std::strerror(failure)) + ")" : "");
}

}  // namespace

ImportLock::ImportLock(const fs::path& dataRoot, const std::string& cityName)
    : path_(dataRoot / NativePath("." + cityName + ".import.lock")),
      cityName_(cityName),
      lock_(std::make_unique<QLockFile>(PathToQString(path_))) {
  lock_->setStaleLockTime(0);  // only a lock whose process is gone is stale
}

ImportLock::~ImportLock() = default;

// Qt reads a lock it finds to learn its process, so what is there is looked
// at first, at every try: a FIFO would hang the read, a link lead elsewhere.
bool ImportLock::Take(const ImportControl& control, std::string& error) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kImportLockWaitMs);
  for (;;) {
    for (const fs::path& path : {path_, RemovalLockOf(path_)}) {
      if (const std::string kind = ForeignKind(path); !kind.empty()) {
        error = ForeignReason(path, kind, cityName_);
        return false;
      }
    }
    errno = 0;
    if (lock_->tryLock(0)) return true;
    if (lock_->error() != QLockFile::LockFailedError) {
      error = CannotMakeReason(path_, lock_->error(), errno);
      return false;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      error = HeldReason();
      if (!error.empty()) return false;
      continue;  // let go just now
    }
    control.ThrowIfStopped();
    std::this_thread::sleep_for(kPollInterval);
  }
}

// Empty when the lock went away meanwhile.
std::string ImportLock::HeldReason() const {
  qint64 pid = 0;
  QString host, program;
  if (lock_->getLockInfo(&pid, &host, &program)) {
    return NativeString(path_) + ": \"" + cityName_ + "\" is being imported by process " + std::to_string(pid) +
           (program.isEmpty() ? "" : " (" + program.toStdString() + ")") + " on " +
           (host.isEmpty() ? "this computer" : host.toStdString()) + ", which did not finish within " +
           std::to_string(kImportLockWaitMs / 1000) + " seconds; import again when it has ended";
  }
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(path_, ec))) return {};
  return ForeignReason(path_, "a file that names no process", cityName_);
}
