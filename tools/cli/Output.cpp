#include "Output.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "mapdata/CityAccess.h"
#include "mapdata/CityLocation.h"
#include "mapdata/Cp1251.h"
#include "mapdata/NativeName.h"
#include "mapdata/PictureLoader.h"
#include "render/BundledFonts.h"
#include "shell/ConsoleText.h"
#include "shell/LoadCity.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"

namespace cli {

void Write(std::FILE* stream, std::string_view utf8) { WriteStreamText(stream, utf8); }

void Print(std::FILE* stream, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length > 0) {
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, again);
    text.pop_back();
    Write(stream, text);
  }
  va_end(again);
}

std::string Escape(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Text(std::string_view cp1251Text) { return Escape(cp1251::ToUtf8(cp1251Text)); }

void AppendText(std::string& line, std::string_view cp1251Text) {
  const size_t start = line.size();
  cp1251::AppendUtf8(line, cp1251Text);
  if (line.find_first_of("\\\t\r\n", start) == std::string::npos) return;  // most cells: nothing to escape
  const std::string escaped = Escape(line.substr(start));
  line.replace(start, std::string::npos, escaped);
}

void PrintLine(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) line += '\t';
    line += fields[i];
  }
  line += '\n';
  Write(stdout, line);
}

void PrintMessages(const std::vector<std::string>& messages) {
  for (const std::string& m : messages) {
    const std::string line = "message\t" + Escape(m) + "\n";
    Write(stderr, line);
  }
}

int Usage(const std::string& text) {
  Print(stderr, "usage: tellurin-cli %s\n", text.c_str());
  return 2;
}

bool WantsHelp(int argc, char** argv) {
  return argc == 1 && (std::string_view(argv[0]) == "--help" || std::string_view(argv[0]) == "-h");
}

int TakeCityDir(const char* arg, std::filesystem::path& dataRoot, std::string& city) {
  std::filesystem::path dir = std::filesystem::absolute(NativePath(arg)).lexically_normal();
  if (dir.filename().empty()) dir = dir.parent_path();
  if (!DirectoryExists(dir)) {
    Print(stderr, "tellurin-cli: %s не папка города: такой папки нет\n", NativeString(dir).c_str());
    return 2;
  }
  bool unreadable = false;
  const std::string problem = CityFolderProblem(dir, unreadable);
  if (!problem.empty()) {
    Print(stderr, "tellurin-cli: %s\n", problem.c_str());
    return unreadable ? 1 : 2;
  }
  dataRoot = dir.parent_path();
  city = NativeString(dir.filename());
  return 0;
}

bool SplitCityDir(const char* arg, std::filesystem::path& dataRoot, std::string& city) {
  return TakeCityDir(arg, dataRoot, city) == 0;
}

namespace {

// The output is read by programs: Qt's own notes (for example about the
// runtime folder of the offscreen platform) stay out of it.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) Print(stderr, "tellurin-cli: %s\n", text.toUtf8().constData());
}

}  // namespace

void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  qInstallMessageHandler(QuietQtMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tellurin-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  UseBundledFonts();
  RegisterStandardPictureDecoders();
}

namespace {

// The layer files of the city loaded that exist but could not be read: the
// viewer shows them as empty layers, the command's exit code tells.
std::vector<std::filesystem::path> unreadableLayers;

}  // namespace

int LoadCityFromArg(const char* arg, RecordingHost& host, std::unique_ptr<MapCore>& core, bool* drawn) {
  std::filesystem::path dataRoot;
  std::string city;
  if (const int refused = TakeCityDir(arg, dataRoot, city)) return refused;
  unreadableLayers = UnreadableLayerFiles({dataRoot, city});
  EnsureApplication();
  core = std::make_unique<MapCore>(host, dataRoot);
  const bool loaded = LoadCity(*core, city, cp1251::FromUtf8(city));
  if (drawn) *drawn = loaded;
  return 0;
}

int Finish(const RecordingHost& host, int status) {
  std::fflush(stdout);
  PrintMessages(host.Messages);
  return ExitAfterLoad(status);
}

int ExitAfterLoad(int status) {
  for (const std::filesystem::path& file : unreadableLayers)
    Print(stderr, "tellurin-cli: не удается прочитать %s %s\n", DirectoryExists(file) ? "папку" : "файл",
          NativeString(file).c_str());
  return unreadableLayers.empty() ? status : std::max(status, 1);
}

}  // namespace cli
