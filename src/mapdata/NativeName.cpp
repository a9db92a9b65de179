#include "mapdata/NativeName.h"

#include <QFile>

#ifdef _WIN32
#include <windows.h>
// after windows.h
#include <shellapi.h>
// the C runtime's file modes
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#ifdef _WIN32

std::string NativeString(const fs::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::string GenericNativeString(const fs::path& path) {
  const std::u8string utf8 = path.generic_u8string();
  return std::string(utf8.begin(), utf8.end());
}

// Bytes that are not UTF-8 (a name typed in another code page) are taken one
// by one as Latin-1 rather than thrown on.
fs::path NativePath(std::string_view name) {
  const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  return fs::path(text.toStdWString());
}

QString PathToQString(const fs::path& path) { return QString::fromStdWString(path.native()); }
// Qt gives "/" between the parts; the path keeps Windows' own "\\".
fs::path PathFromQString(const QString& path) { return fs::path(path.toStdWString()).make_preferred(); }

Utf8Arguments::Utf8Arguments(int& argc, char**& argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return;
  for (int i = 0; i < count; ++i) arguments_.push_back(QString::fromWCharArray(wide[i]).toStdString());
  LocalFree(wide);
  for (std::string& a : arguments_) pointers_.push_back(a.data());
  pointers_.push_back(nullptr);
  argc = count;
  argv = pointers_.data();
  // Lines end in "\n" as on Linux: what scripts read is the same on both.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

#else

std::string NativeString(const fs::path& path) { return path.native(); }
std::string GenericNativeString(const fs::path& path) { return path.native(); }
fs::path NativePath(std::string_view name) { return fs::path(std::string(name)); }

QString PathToQString(const fs::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.native())); }
fs::path PathFromQString(const QString& path) { return fs::path(QFile::encodeName(path).toStdString()); }

Utf8Arguments::Utf8Arguments(int&, char**&) {}

#endif
