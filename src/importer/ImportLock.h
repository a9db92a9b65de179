#pragma once
// One import of a city name at a time in a data root.  An import holds
// ".NAME.import.lock" beside the city (a leading dot: the viewer never lists
// it) from before it clears the leftovers of earlier imports until its city
// is in place or its temporary folder is gone, so that it never removes the
// folder another import is still writing.  A second import of the name waits
// a few seconds, then refuses, naming the process that holds the lock; a lock
// whose process has died is taken over.  A lock is never taken for stale by
// its age: an import out of a large region holds it for minutes.
//
// The data root is not trusted: what stands at the lock's name and is not a
// small regular file (a folder, a link, a FIFO, a large file) is never opened
// or followed; the import refuses, saying a foreign file is there.
#include <filesystem>
#include <memory>
#include <string>

#include "importer/ImportControl.h"

class QLockFile;

// How long a second import of a name waits for the first.
constexpr int kImportLockWaitMs = 5000;

class ImportLock {
 public:
  ImportLock(const std::filesystem::path& dataRoot, const std::string& cityName);
  // Lets the lock go, if taken.
  ~ImportLock();
  ImportLock(const ImportLock&) = delete;
  ImportLock& operator=(const ImportLock&) = delete;

  // Takes the lock, waiting up to kImportLockWaitMs for another import of
  // the name and throwing ImportStopped when the control asks meanwhile;
  // false with the reason, naming the lock file, when it cannot be had.  The
  // data root must exist.
  bool Take(const ImportControl& control, std::string& error);

 private:
  std::string HeldReason() const;

  std::filesystem::path path_;
  std::string cityName_;
  std::unique_ptr<QLockFile> lock_;
};
