#pragma once
// What every tellurin-cli command shares: the output form (UTF-8 lines of
// tab-separated fields, with \\, \t, \r and \n escaped), the program's messages
// on stderr, the city folder argument and the offscreen application.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct MapCore;
class RecordingHost;

namespace cli {

// All the program's text goes out through these two: on a Windows console it
// is shown as characters (shell/ConsoleText.h), elsewhere it is the UTF-8 bytes.
void Write(std::FILE* stream, std::string_view utf8);
// printf's format on `stream`, through Write.
void Print(std::FILE* stream, const char* format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Escapes backslash, tab, CR and LF of UTF-8 text.
std::string Escape(const std::string& utf8);
// A Windows-1251 text (table cell, caption) as printed: UTF-8, escaped.
std::string Text(std::string_view cp1251Text);
// The same, added to `line`.
void AppendText(std::string& line, std::string_view cp1251Text);
// Fields joined by tabs, one line on stdout.
void PrintLine(const std::vector<std::string>& fields);
// Each message (UTF-8) as message<TAB>TEXT on stderr, in order.
void PrintMessages(const std::vector<std::string>& messages);
// "usage: tellurin-cli TEXT" on stderr; returns the usage exit code 2.
int Usage(const std::string& text);
// True when the only argument asks for help.
bool WantsHelp(int argc, char** argv);

// A city folder given on the command line: its data root (the parent folder)
// and its directory name.  Otherwise, with a message on stderr, the exit code:
// 2 when it is not a folder or not a city (no Info/about.inf), 1 when it or its
// Info/about.inf cannot be read.
int TakeCityDir(const char* arg, std::filesystem::path& dataRoot, std::string& city);
// TakeCityDir, true when it took the folder.
bool SplitCityDir(const char* arg, std::filesystem::path& dataRoot, std::string& city);

// A GUI application without a screen (QT_QPA_PLATFORM defaults to
// "offscreen"), needed by the drawing at the end of a load, and the program's
// picture decoders.
void EnsureApplication();

// The city folder `arg` loaded as the viewer loads it, on `host`'s screen: 0,
// or TakeCityDir's exit code when the folder is refused.  `drawn`, when
// given, tells whether the load got as far as drawing the map.
int LoadCityFromArg(const char* arg, RecordingHost& host, std::unique_ptr<MapCore>& core, bool* drawn = nullptr);
// After a command's output: stdout flushed, then the host's messages on stderr,
// then ExitAfterLoad(status).
int Finish(const RecordingHost& host, int status = 0);
// `status`, or 1 when a layer file of the city loaded exists but could not be
// read, each such file named on stderr.
int ExitAfterLoad(int status);

}  // namespace cli
