#pragma once
// Putting a finished folder in place durably (POSIX; Linux for the swap).
#include <filesystem>
#include <string>

// Everything under `dir` and `dir` itself onto the disk, links not followed:
// on Linux one syncfs of its file system, elsewhere a flush of every file and
// folder; false with the reason on the first failure.
bool SyncTree(const std::filesystem::path& dir, std::string& error);
// fsync of one folder, so that a rename in it is on disk.
bool SyncFolder(const std::filesystem::path& dir, std::string& error);

enum class SwapResult { Swapped, Unsupported, Failed };
// Exchanges two existing paths in one step (renameat2 RENAME_EXCHANGE).
// Unsupported where the system or the file system cannot (errno kept).
SwapResult SwapPaths(const std::filesystem::path& a, const std::filesystem::path& b);

// The process's umask.
unsigned CurrentUmask();
