#pragma once
// Small builders shared by the windows: named tool buttons with drawn glyphs,
// report-view lists that mirror a LayerTable, and text conversion helpers.
#include <QIcon>
#include <QString>

#include <string>
#include <vector>

class QWidget;
class QToolButton;
class QTableWidget;
class LayerTable;

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
// A list in report view: grid lines, whole-row selection, read-only.
QTableWidget* MakeReportList(QWidget* parent, const char* name, const QString& hint,
                             const std::vector<ReportColumn>& columns);
// Replaces the list's rows with the table's: caption in column 0, then the
// first (columns - 1) cells; Windows-1251 text converted for display.
void FillReportList(QTableWidget* list, const LayerTable& table);
// Index of the first selected row, -1 when none.
int FirstSelectedRow(const QTableWidget* list);

// The windows' compact default font (11 pixels, as the classic dialog font).
void UseWindowFont(QWidget* window);

QString Ui(const char* utf8);               // interface text written in this source
QString FromCp(const std::string& cp1251);  // data text
std::string ToCp(const QString& text);
