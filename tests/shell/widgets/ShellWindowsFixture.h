#pragma once
// Both windows of the shell over a data root in a temporary folder; messages
// and the end of the program are recorded instead of shown or acted on.
#include <QString>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "mapdata/Cp1251.h"
#include "shell/widgets/TForm1.h"
#include "shell/widgets/TForm2.h"
#include "support/TempDir.h"

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// about.inf from UTF-8 lines, written as Windows-1251 with CR LF line ends.
inline void WriteAbout(const std::filesystem::path& root, const std::string& city,
                       const std::vector<std::string>& utf8Lines) {
  std::string bytes;
  for (const std::string& line : utf8Lines) bytes += cp1251::FromUtf8(line) + "\r\n";
  WriteBytes(root / city / "Info" / "about.inf", bytes);
}

struct ShellWindows {
  explicit ShellWindows(const std::filesystem::path& root) : ShellWindows(std::vector<std::filesystem::path>{root}) {}
  explicit ShellWindows(const std::vector<std::filesystem::path>& roots) {
    form1 = std::make_unique<TForm1>(roots);
    form2 = std::make_unique<TForm2>(roots.front());
    form1->MessageSink = [this](const std::string& m) { messages.push_back(m); };
    form2->MessageSink = [this](const std::string& m) { messages.push_back(m); };
    form1->EndProgram = [this] { ++programEnds; };
    form2->EndProgram = [this] { ++programEnds; };
    form1->SetMapWindow(form2.get());
    form2->SetCityWindow(form1.get());
    form1->show();
  }
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TForm2> form2;
  std::vector<std::string> messages;
  int programEnds = 0;
};
