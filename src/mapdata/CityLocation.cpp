#include "mapdata/CityLocation.h"

#include <QByteArrayView>
#include <QCoreApplication>

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "mapdata/Cp1251.h"
#include "mapdata/NativeName.h"

fs::path ExecutableDir() {
#ifdef _WIN32
  std::wstring exe(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
  if (length > 0 && length < exe.size()) return fs::path(exe.substr(0, length)).parent_path();
#else
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return exe.parent_path();
#endif
  if (QCoreApplication::instance()) return PathFromQString(QCoreApplication::applicationDirPath());
  return fs::current_path();
}

fs::path DefaultDataRoot() { return ExecutableDir() / "Base"; }

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool DirectoryExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

namespace {

// Case fold of a file name for comparison, through Unicode so that Cyrillic
// names of any case match.  Names on disk are UTF-8 here or, from Windows
// archives, Windows-1251 bytes; each is read as what it is, so that two
// different names never fold alike.
QString FoldName(const fs::path& name) {
  const std::string bytes = NativeString(name);
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return (view.isValidUtf8() ? QString::fromUtf8(view) : cp1251::ToQString(bytes)).toCaseFolded();
}

fs::path FindComponent(const fs::path& dir, const fs::path& component) {
  std::error_code ec;
  fs::path exact = dir / component;
  if (fs::exists(exact, ec)) return exact;
  const QString wanted = FoldName(component);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (FoldName(it->path().filename()) == wanted) return it->path();
  }
  return exact;
}

}  // namespace

FolderIndex::FolderIndex(const fs::path& dir) : dir_(dir) {
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path name = it->path().filename();
    exact_.insert(NativeString(name));
    folded_.try_emplace(FoldName(name).toStdString(), name);
  }
}

fs::path FolderIndex::Resolve(const fs::path& name) const {
  if (exact_.count(NativeString(name))) return dir_ / name;
  const auto match = folded_.find(FoldName(name).toStdString());
  return dir_ / (match != folded_.end() ? match->second : name);
}

fs::path ResolvePath(const fs::path& base, const fs::path& relative) {
  fs::path current = base;
  for (const fs::path& component : relative) {
    if (component.empty() || component == "/") continue;
    current = FindComponent(current, component);
  }
  return current;
}

fs::path CityLocation::CityDir() const { return ResolvePath(DataRoot, NativePath(CityName)); }

fs::path CityLocation::File(const std::string& relative) const {
  return ResolvePath(CityDir(), NativePath(relative));
}
