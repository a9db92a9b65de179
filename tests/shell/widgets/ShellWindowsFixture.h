#pragma once
// Both windows of the shell over a data root in a temporary folder; messages
// and the end of the program are recorded instead of shown or acted on.
#include <QAbstractItemModel>
#include <QString>
#include <QTableView>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "mapdata/Cp1251.h"
#include "mapdata/NativeName.h"
#include "render/ViewTransform.h"
#include "shell/widgets/CityChooserWindow.h"
#include "shell/widgets/MapWindow.h"
#include "support/TempDir.h"

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// What a list in report view shows: its rows, a cell's text, a column's caption.
inline int Rows(const QTableView* list) { return list->model()->rowCount(); }
inline QString CellText(const QTableView* list, int row, int column) {
  return list->model()->index(row, column).data().toString();
}
inline QString ColumnCaption(const QTableView* list, int column) {
  return list->model()->headerData(column, Qt::Horizontal).toString();
}

// The pixel of the map area that shows map point (x, y).
inline QPoint WindowPixelOf(const ViewState& v, int x, int y) {
  const PixelPoint p = MapToPicture(v, x, y);
  return {p.X - v.ScreenWidth / 2, p.Y - v.ScreenHeight / 2};
}

// about.inf from UTF-8 lines, written as Windows-1251 with CR LF line ends.
inline void WriteAbout(const std::filesystem::path& root, const std::string& city,
                       const std::vector<std::string>& utf8Lines) {
  std::string bytes;
  for (const std::string& line : utf8Lines) bytes += cp1251::FromUtf8(line) + "\r\n";
  WriteBytes(root / NativePath(city) / "Info" / "about.inf", bytes);
}

struct ShellWindows {
  explicit ShellWindows(const std::filesystem::path& root) : ShellWindows(std::vector<std::filesystem::path>{root}) {}
  explicit ShellWindows(const std::vector<std::filesystem::path>& roots) {
    cityChooser = std::make_unique<CityChooserWindow>(roots);
    mapWindow = std::make_unique<MapWindow>(roots.front());
    cityChooser->MessageSink = [this](const std::string& m) { messages.push_back(m); };
    mapWindow->MessageSink = [this](const std::string& m) { messages.push_back(m); };
    cityChooser->EndProgram = [this] { ++programEnds; };
    mapWindow->EndProgram = [this] { ++programEnds; };
    cityChooser->SetMapWindow(mapWindow.get());
    mapWindow->SetCityWindow(cityChooser.get());
    cityChooser->show();
  }
  std::unique_ptr<CityChooserWindow> cityChooser;
  std::unique_ptr<MapWindow> mapWindow;
  std::vector<std::string> messages;
  int programEnds = 0;
};
