// docs/controls.md names every control of every window by the object name that
// tests, settings and automation find it by.  A control without a row, or a
// row without a control, fails here with the names to add or remove.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "shell/widgets/AppWindows.h"
#include "shell/widgets/CityImportWindow.h"
#include "support/TempDir.h"

namespace {

using Names = std::map<std::string, std::set<std::string>>;  // window -> object names

// The "## Window" sections of the table and the object names of their rows.
Names NamesInTable(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  Names names;
  std::string line, window;
  const std::regex section(R"(^## (\w+)\s*$)");
  const std::regex row(R"(^\| `([^`]+)` \|)");
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_match(line, m, section)) window = m[1];
    else if (std::regex_search(line, m, row) && !window.empty()) names[window].insert(m[1]);
  }
  return names;
}

// What a row would say of an object: its class and its caption or hint.
std::string Describe(const QObject* object) {
  QString text;
  if (auto* b = qobject_cast<const QAbstractButton*>(object)) text = b->text().isEmpty() ? b->toolTip() : b->text();
  else if (auto* a = qobject_cast<const QAction*>(object)) text = a->text();
  else if (auto* l = qobject_cast<const QLabel*>(object)) text = l->text();
  else if (auto* w = qobject_cast<const QWidget*>(object)) text = w->toolTip();
  return std::string(object->metaObject()->className()) + " \"" + text.toStdString() + "\"";
}

// The window's own name and those of its named descendants (Qt's own parts,
// named "qt_..." or "_...", are not controls of ours).
std::map<std::string, std::string> NamesInWindow(const QWidget& window) {
  std::map<std::string, std::string> names{{window.objectName().toStdString(), Describe(&window)}};
  for (const QObject* child : window.findChildren<QObject*>()) {
    const std::string name = child->objectName().toStdString();
    if (!name.empty() && name.rfind("qt_", 0) != 0 && name[0] != '_') names.emplace(name, Describe(child));
  }
  return names;
}

TEST(ControlsTable, NamesEveryControlOfEveryWindowAndNoOther) {
  TempDir root;
  AppWindows w({root.Path() / "Base"});
  const CityImportWindow import({root.Path() / "Base"}, root.Path() / "Base");
  const std::map<std::string, const QWidget*> windows = {
      {"CityChooserWindow", &w.CityChooser}, {"MapWindow", &w.Map},   {"FirmPictureWindow", &w.FirmPicture},
      {"AboutWindow", &w.About},             {"HelpWindow", &w.Help}, {"CityImportWindow", &import}};
  const Names table = NamesInTable(TELLURIN_CONTROLS_TABLE);
  for (const auto& [title, window] : windows) {
    const auto found = NamesInWindow(*window);
    const std::set<std::string>& listed = table.count(title) ? table.at(title) : std::set<std::string>{};
    std::ostringstream missing, extra;
    for (const auto& [name, what] : found)
      if (!listed.count(name)) missing << "\n  " << name << "  " << what;
    for (const std::string& name : listed)
      if (!found.count(name)) extra << " " << name;
    EXPECT_TRUE(missing.str().empty()) << title << ": controls missing from the table:" << missing.str();
    EXPECT_TRUE(extra.str().empty()) << title << ": rows naming no control:" << extra.str();
  }
}

}  // namespace
