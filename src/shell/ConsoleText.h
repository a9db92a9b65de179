#pragma once
// Text for the user on standard output or error.  A Windows console shows
// what its code page holds (866 for Russian), not UTF-8, so text for a console
// goes through the console's wide API; a file or a pipe gets the UTF-8 bytes
// as they are, the same on every system, for the scripts that read them.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

// Where one stream's text goes: the bytes, or a console's UTF-16 characters.
class StreamText {
 public:
  using ByteSink = std::function<void(std::string_view utf8)>;
  using WideSink = std::function<void(std::u16string_view text)>;

  StreamText(bool console, ByteSink bytes, WideSink wide);
  // A byte that is not UTF-8 reaches a console as U+FFFD.
  void Write(std::string_view utf8) const;

 private:
  bool console_;
  ByteSink bytes_;
  WideSink wide_;
};

// True when the stream is a console window (on Windows: its handle has a
// console mode); never on other systems, whose terminals read UTF-8.
bool IsConsoleStream(std::FILE* stream);

// `utf8` on `stream` (stdout or stderr) as StreamText writes it, after what
// the C library holds for the stream.
void WriteStreamText(std::FILE* stream, std::string_view utf8);
