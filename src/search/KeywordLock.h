#pragma once
// The lock a save of a city's keyword list holds ("Kw.map.lock" in the city
// folder), so that two programs saving at once lose no word.
#include <filesystem>
#include <memory>
#include <string>

class QLockFile;

class KeywordLock {
 public:
  explicit KeywordLock(const std::filesystem::path& cityDir);
  ~KeywordLock();  // lets the lock go, if taken
  KeywordLock(const KeywordLock&) = delete;
  KeywordLock& operator=(const KeywordLock&) = delete;

  // Takes the lock, waiting up to ten seconds for another program's save;
  // false with the reason in the words of the interface when it cannot be
  // had.  Something at the lock's name that no lock can be is never opened:
  // a folder, a link or a FIFO refuses at once, saying a foreign file is in
  // the city folder; a plain file that names no process and that no program
  // holds is taken over at once, as is a lock whose program has died.
  bool Take(std::string& reason);

 private:
  std::filesystem::path cityDir_;
  std::filesystem::path path_;
  std::unique_ptr<QLockFile> lock_;
};
