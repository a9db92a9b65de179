#pragma once
// A lock file's name in a folder that came from strangers.  Qt's lock class
// reads a lock it finds to learn its owner: a FIFO at the name would hang that
// read, a link lead it elsewhere, and a file that names no process would block
// every lock until it grows old.  So what stands at the name is looked at
// first, without opening anything but a plain file.
#include <filesystem>

namespace fs = std::filesystem;

// What stands at a name, the name itself (a link is not followed; on Windows
// any reparse point counts as a link).
enum class EntryKind { None, RegularFile, Folder, Link, Special };
EntryKind EntryKindAt(const fs::path& path);

// The kind in the words of a message, for what is not a regular file
// ("папка", "символическая ссылка", "канал или устройство").
const char* EntryKindWords(EntryKind kind);

// Removes the regular file at a lock's name when it cannot be a lock (its
// first line is no process number: garbage, an empty or a huge file) and no
// program holds it.  An empty file must also be a few seconds old: a lock is
// empty for a moment between its creation and its first write.  True when
// the file was removed.
bool RemoveFileThatIsNoLock(const fs::path& path);

// Qt takes a dead program's lock away under a second lock of this name.
fs::path RemovalLockOf(const fs::path& lock);
