#pragma once
// Small builders shared by the windows: named tool buttons with drawn glyphs,
// report-view lists over a LayerTable, and text conversion helpers.
#include <QIcon>
#include <QString>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

class QWidget;
class QToolButton;
class QTableView;
class LayerTable;
class LayerTableModel;

// The pictures of the tool buttons, drawn at start (no image files needed).
enum class Glyph { Text, Objects, ListSearch, FirmSearch, Search, AddWord, Close, Open, WholeCity, Plus, None };
QIcon GlyphIcon(Glyph glyph);

// A flat tool button with an object name, a hint and a glyph; `latching`
// buttons stay down when clicked until clicked again.
QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& hint, Glyph glyph,
                            bool latching = false);

struct ReportColumn {
  QString Caption;
  int Width;
};
// A list's columns: captions as the core names the columns of the table it
// shows, each with its width in pixels.
template <std::size_t N>
std::vector<ReportColumn> ReportColumns(const char* const (&captions)[N], const std::array<int, N>& widths) {
  std::vector<ReportColumn> columns;
  for (std::size_t i = 0; i < N; ++i) columns.push_back({QString::fromUtf8(captions[i]), widths[i]});
  return columns;
}
// A list in report view over a table (LayerTableModel): grid lines, whole-row
// selection, read-only; a click on a column's header sorts by that column, a
// second click reverses.  Until the first click the table's order is shown.
QTableView* MakeReportList(QWidget* parent, const char* name, const QString& hint,
                           const std::vector<ReportColumn>& columns);
// The report-list look (grid lines, whole-row single selection, fixed rows,
// read-only, the columns' widths) for a list whose model already has them.
void StyleReportList(QTableView* list, const char* name, const QString& hint,
                     const std::vector<ReportColumn>& columns);
// Shows the table in the list: caption in column 0, then the first
// (columns - 1) cells; new rows size the columns to their texts.  Cheap when
// the table has not changed.
void ShowTable(QTableView* list, const LayerTable& table);
// The table row of the first selected row of the list, -1 when none.
int SelectedTableRow(const QTableView* list);

// The windows' compact default font (11 pixels, as the classic dialog font).
void UseWindowFont(QWidget* window);

QString Ui(const char* utf8);               // interface text written in this source

// The hint of a greyed control that needs real distances (the scale bar, measuring).
constexpr const char* kNeedsGeoReferenceHint =
    "Только для городов с географической привязкой (импортированных из OpenStreetMap)";
QString FromCp(std::string_view cp1251);  // data text
// What the user typed, in the tables' code page: a letter the code page lacks
// becomes its closest letters as in imported names ("ü" is "u").
std::string ToCp(const QString& text);
