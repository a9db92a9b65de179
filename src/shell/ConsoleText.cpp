#include "shell/ConsoleText.h"

#include <QString>

#ifdef _WIN32
#include <windows.h>
// after windows.h
#include <io.h>
#endif

StreamText::StreamText(bool console, ByteSink bytes, WideSink wide)
    : console_(console), bytes_(std::move(bytes)), wide_(std::move(wide)) {}

void StreamText::Write(std::string_view utf8) const {
  if (!console_) {
    bytes_(utf8);
    return;
  }
  wide_(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String());
}

#ifdef _WIN32

namespace {

HANDLE StreamHandle(std::FILE* stream) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))); }

// WriteConsoleW takes a bounded count; long texts (a command's help) go in parts
// cut between UTF-16 units that are not the first half of a pair.
// False when not even the first part went: the handle took no characters.
bool WriteToConsole(HANDLE console, std::u16string_view text) {
  constexpr size_t kPart = 8192;
  bool first = true;
  while (!text.empty()) {
    size_t count = std::min(text.size(), kPart);
    if (count < text.size() && QChar::isHighSurrogate(text[count - 1])) --count;
    DWORD written = 0;
    if (!WriteConsoleW(console, text.data(), static_cast<DWORD>(count), &written, nullptr) || written == 0) return !first;
    text.remove_prefix(written);
    first = false;
  }
  return true;
}

}  // namespace

bool IsConsoleStream(std::FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(StreamHandle(stream), &mode) != 0;
}

#else

bool IsConsoleStream(std::FILE*) { return false; }

#endif

void WriteStreamText(std::FILE* stream, std::string_view utf8) {
  // Decided once a stream: a program's output does not move between a console and a file.
  static const bool stdoutConsole = IsConsoleStream(stdout), stderrConsole = IsConsoleStream(stderr);
  const bool console = stream == stdout ? stdoutConsole : stream == stderr ? stderrConsole : IsConsoleStream(stream);
  const StreamText text(
      console, [stream](std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stream); },
      [stream, utf8](std::u16string_view wide) {
        std::fflush(stream);  // what went through the C library first comes first
#ifdef _WIN32
        // A console that refuses characters still gets the text, as bytes.
        if (WriteToConsole(StreamHandle(stream), wide)) return;
#else
        (void)wide;
#endif
        std::fwrite(utf8.data(), 1, utf8.size(), stream);
      });
  text.Write(utf8);
}
