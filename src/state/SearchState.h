#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mapdata/CityColumns.h"
#include "mapdata/LayerTable.h"

// The cells of the result lists, by name (as CityColumns.h names those of the
// city's tables).
// The kinds of record the list search finds.  FoundRecords' "Тип" cell holds
// them as the text "1", "2", "3", "5"; this is the code's typed view of that
// text.  (These are not the draw codes: "3" is a firm here, a region there.)
enum class SearchKind : char { Street = '1', Building = '2', Firm = '3', Object = '5' };

inline std::string SearchKindText(SearchKind kind) { return std::string(1, static_cast<char>(kind)); }
// The kind of a "Тип" cell; none for a text that is no kind.
inline std::optional<SearchKind> SearchKindOf(std::string_view text) {
  if (text.size() != 1) return std::nullopt;
  for (SearchKind kind : {SearchKind::Street, SearchKind::Building, SearchKind::Firm, SearchKind::Object})
    if (static_cast<char>(kind) == text[0]) return kind;
  return std::nullopt;
}

// FoundRecords (table "ListView1"), the list search's hidden list: the
// visible columns, then the kind of the record (SearchKind) and its row in its
// table.
namespace found_cell {
enum : int { Address = kCaption, Kind, Name, Code, Row, kCells };
inline constexpr const char* kColumns[] = {"Адрес", "Тип объекта", "Название", "Тип", "№ П/П"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace found_cell

// SearchListView, what the list search shows, row for row beside FoundRecords.
namespace shown_found_cell {
enum : int { Address = kCaption, Kind, Name, kCells };
inline constexpr const char* kColumns[] = {"Адрес", "Тип объекта", "Название"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace shown_found_cell

// FoundFirms (table "ListView2"), the firms found by the firm search: their
// rows in ListOfFirms.
namespace found_firm_cell {
enum : int { FirmRow = kCaption, kCells };
inline constexpr const char* kColumns[] = {"№ П/П"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace found_firm_cell

// SearchFirmListView, what the firm search shows, row for row beside FoundFirms.
namespace shown_firm_cell {
enum : int { Name = kCaption, Address, kCells };
inline constexpr const char* kColumns[] = {"Название", "Адрес"};
static_assert(std::size(kColumns) == kCells + 1);
}  // namespace shown_firm_cell

// Result lists of the two searches and the keyword list.
struct SearchState {
  // List search: the hidden list (with kind code and row index) and the visible one.
  LayerTable FoundRecords{"ListView1", ColumnList(found_cell::kColumns)};
  LayerTable SearchListView{"SearchListView", ColumnList(shown_found_cell::kColumns)};
  std::string ListCountText;  // number of list search results
  int ListSimilar = 0;  // nonzero: the lists hold this many suggestions, nothing was found
  std::string ListKey;  // what the list search list was filled for, Windows-1251: its field shows it
  bool ListKeyCut = false;  // only the beginning of ListKey was searched for (see KeyLimit.h)

  // Firm search: the found firms (caption = row index in ListOfFirms) and the visible list.
  LayerTable FoundFirms{"ListView2", ColumnList(found_firm_cell::kColumns)};
  LayerTable SearchFirmListView{"SearchFirmListView", ColumnList(shown_firm_cell::kColumns)};
  std::string FirmCountText;  // number of firm search results
  int FirmSimilar = 0;  // nonzero: the lists hold this many suggestions, nothing was found
  std::string FirmKey;  // what the found firms were searched for (whichever way in): its field shows it
  bool FirmKeyCut = false;  // only the beginning of FirmKey was searched for (see KeyLimit.h)
  bool SearchFirmNames = true;  // search firm names
  bool SearchFirmAddresses = true;  // search firm addresses
  bool SearchFirmKeywords = true;  // search firm keywords

  // Keyword list (the items of the map window's KeywordBox) in its sorted order; Windows-1251.
  std::vector<std::string> Keywords;
};
