#pragma once
#include <string>
#include <vector>

#include "mapdata/CityColumns.h"
#include "mapdata/LayerTable.h"

// The cells of the result lists, by name (as CityColumns.h names those of the
// city's tables).
// ListView1, the list search's hidden list: the visible columns, then the kind
// code of the record ("1".."5", SearchKind) and its row in its table.
namespace found_cell {
enum : int { Address = kCaption, Kind, Name, Code, Row, kCells };
inline constexpr const char* kColumns[] = {"Адрес", "Тип объекта", "Название", "Тип", "№ П/П"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace found_cell

// SearchListView, what the list search shows, row for row beside ListView1.
namespace shown_found_cell {
enum : int { Address = kCaption, Kind, Name, kCells };
inline constexpr const char* kColumns[] = {"Адрес", "Тип объекта", "Название"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace shown_found_cell

// ListView2, the firms found by the firm search: their rows in ListOfFirms.
namespace found_firm_cell {
enum : int { FirmRow = kCaption, kCells };
inline constexpr const char* kColumns[] = {"№ П/П"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace found_firm_cell

// SearchFirmListView, what the firm search shows, row for row beside ListView2.
namespace shown_firm_cell {
enum : int { Name = kCaption, Address, kCells };
inline constexpr const char* kColumns[] = {"Название", "Адрес"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace shown_firm_cell

// Result lists of the two searches and the keyword list.
struct SearchState {
  // List search: the hidden list (with kind code and row index) and the visible one.
  LayerTable ListView1{"ListView1", ColumnList(found_cell::kColumns)};
  LayerTable SearchListView{"SearchListView", ColumnList(shown_found_cell::kColumns)};
  std::string Label2;  // number of list search results

  // Firm search: the found firms (caption = row index in ListOfFirms) and the visible list.
  LayerTable ListView2{"ListView2", ColumnList(found_firm_cell::kColumns)};
  LayerTable SearchFirmListView{"SearchFirmListView", ColumnList(shown_firm_cell::kColumns)};
  std::string Label5;  // number of firm search results
  bool CheckBox1 = true;  // search firm names
  bool CheckBox2 = true;  // search firm addresses
  bool CheckBox3 = true;  // search firm keywords

  // Keyword list (ComboBox1 items) in its sorted order; Windows-1251.
  std::vector<std::string> Keywords;
};
