#pragma once
// The few file operations whose safety the standard library cannot promise
// (exclusive creation, no following of links, flushing to the disk), with the
// POSIX and the Windows side next to each other in NativeFile.cpp.  Failures
// are told as errno values on both, so that one text explains them.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

class NativeFile {
 public:
  NativeFile() = default;
  NativeFile(const NativeFile&) = delete;
  NativeFile& operator=(const NativeFile&) = delete;
  NativeFile(NativeFile&& other) noexcept;
  NativeFile& operator=(NativeFile&& other) noexcept;
  ~NativeFile();

  // A new file that did not exist (EEXIST if anything of that name does, a
  // link included), for writing; the umask's mode where there is one.
  static NativeFile CreateNew(const fs::path& path, int& error);
  // A plain file for reading, never through a link at its name (ELOOP) and
  // never anything but a plain file (a FIFO or device: EINVAL, a folder: EISDIR).
  static NativeFile OpenPlain(const fs::path& path, int& error);
  // An existing file or folder, only to flush it to the disk.
  static NativeFile OpenToSync(const fs::path& path, bool folder, int& error);

  bool IsOpen() const;
  bool WriteAll(std::string_view bytes, int& error);
  // Fails with EFBIG, having read little more, once there is more than `maxBytes`.
  bool ReadAll(std::string& bytes, int& error, size_t maxBytes = SIZE_MAX);
  // Flushes to the disk; a file system that cannot flush is no failure.
  bool Sync(int& error);
  bool Close(int& error);

 private:
#ifdef _WIN32
  void* handle_ = reinterpret_cast<void*>(-1);  // INVALID_HANDLE_VALUE
#else
  int fd_ = -1;
#endif
};

// Renames `from` over `to`, replacing a file (or a link) there.
bool RenameOver(const fs::path& from, const fs::path& to, int& error);

// Flushes a rename in `dir` to the disk where the system can (not on Windows,
// which flushes the folder with the rename).
void SyncFolderEntries(const fs::path& dir);
