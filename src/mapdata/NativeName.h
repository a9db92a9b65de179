#pragma once
// File names as the program keeps them in a std::string, and the conversions
// to and from paths and Qt's strings.  On POSIX a name is the bytes on disk
// (UTF-8, or Windows-1251 from data sets unpacked from Windows archives); on
// Windows names are UTF-16 and kept as UTF-8.  Never convert a path with
// path::string() or build one from a std::string directly: on Windows both go
// through the ANSI code page and lose (or throw on) Cyrillic names.
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

std::string NativeString(const fs::path& path);
// The same with "/" between the parts on every system: a path relative to a
// city folder as scripts read it whatever system wrote it.
std::string GenericNativeString(const fs::path& path);
fs::path NativePath(std::string_view name);

QString PathToQString(const fs::path& path);
fs::path PathFromQString(const QString& path);

// The command line as UTF-8 (on Windows, main's argv is in the ANSI code page
// and loses what it cannot hold): rewrites argc and argv for the life of the
// object, and writes standard output and error as given (no "\r" added before
// "\n"), so that they are the same bytes as on Linux.  What the console shows
// is the CLI's own concern (shell/ConsoleText.h).
class Utf8Arguments {
 public:
  Utf8Arguments(int& argc, char**& argv);

 private:
  std::vector<std::string> arguments_;
  std::vector<char*> pointers_;
};
