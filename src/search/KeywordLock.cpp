#include "search/KeywordLock.h"

#include <QLockFile>

#include <cerrno>
#include <chrono>
#include <thread>

#include "mapdata/CityLocation.h"
#include "mapdata/FileReplace.h"
#include "mapdata/NativeName.h"
#include "mapdata/PlantedLock.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kKeywordLock = "Kw.map.lock";
constexpr FolderWords kCityFolder{"в папку города", "папка города"};
// How long a save waits for another program's save, and after how long an
// untouched lock is taken for one left by a program that died.
constexpr auto kLockWait = std::chrono::seconds(10);
constexpr int kStaleLockMs = 30000;
constexpr auto kPollInterval = std::chrono::milliseconds(50);

std::string ForeignReason(const fs::path& path, EntryKind kind) {
  return "в папке города находится посторонний файл \"" + NativeString(path.filename()) + "\" (" +
         EntryKindWords(kind) + "), а не блокировка списка; удалите его и сохраните снова";
}

std::string LockFailureReason(QLockFile::LockError error, const fs::path& cityDir) {
  if (!DirectoryExists(cityDir)) return FailureReason(ENOENT, true, kCityFolder);
  switch (error) {
    case QLockFile::LockFailedError:
      return "список сохраняет другая программа, и она не закончила за " +
             std::to_string(std::chrono::duration_cast<std::chrono::seconds>(kLockWait).count()) + " секунд";
    case QLockFile::PermissionError:
      return FailureReason(EACCES, true, kCityFolder);
    default:
      return "файл блокировки \"" + std::string(kKeywordLock) + "\" не создаётся";
  }
}

// What stands at the lock's names and cannot be a lock: a folder, a link or
// a special file is named in `reason`; a plain file holding no lock is removed.
bool ClearOfForeignFiles(const fs::path& lock, std::string& reason) {
  for (const fs::path& path : {lock, RemovalLockOf(lock)}) {
    const EntryKind kind = EntryKindAt(path);
    if (kind == EntryKind::RegularFile) {
      RemoveFileThatIsNoLock(path);
    } else if (kind != EntryKind::None) {
      reason = ForeignReason(path, kind);
      return false;
    }
  }
  return true;
}

}  // namespace

KeywordLock::KeywordLock(const fs::path& cityDir)
    : cityDir_(cityDir), path_(cityDir / kKeywordLock), lock_(std::make_unique<QLockFile>(PathToQString(path_))) {
  lock_->setStaleLockTime(kStaleLockMs);
}

KeywordLock::~KeywordLock() = default;

bool KeywordLock::Take(std::string& reason) {
  const auto deadline = std::chrono::steady_clock::now() + kLockWait;
  for (;;) {
    if (!ClearOfForeignFiles(path_, reason)) return false;
    if (lock_->tryLock(0)) return true;
    if (lock_->error() != QLockFile::LockFailedError || std::chrono::steady_clock::now() >= deadline) {
      reason = LockFailureReason(lock_->error(), cityDir_);
      return false;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}
