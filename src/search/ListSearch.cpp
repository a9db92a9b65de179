#include "search/KeyMatcher.h"
#include "search/ListSearch.h"


#include "info/Selection.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "render/RedrawView.h"
#include "shell/MapCore.h"

namespace {

// Joins the parts of a searched text: a key never matches across it.
constexpr std::string_view kCr = "\r";
constexpr std::string_view kSpace = " ";


const std::string kEmpty;

bool IsBlank(std::string_view cell) { return cell == " "; }

std::string Address(std::string_view street, std::string_view number) { return JoinedWithSpace(street, number); }

// Appends one result to both lists, so that row r of one is row r of the other.
void AddResult(SearchState& s, std::string_view address, std::string_view kind, std::string_view name,
               SearchKind code, int row) {
  // In the order of shown_found_cell and found_cell.
  s.SearchListView.AddRow({address, kind, name});
  const char codeText = static_cast<char>(code);
  s.ListView1.AddRow({address, kind, name, std::string_view(&codeText, 1), NumberText(row).View()});
}

// Each source scans its table, testing the parts of each searched text in
// place; only results allocate.
void SearchStreets(MapCore& core, const KeyMatcher& matcher) {
  const LayerTable& table = core.Tables.ListOfStreets;
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    const std::string_view name = row.Cell(street_cell::Name);
    if (IsBlank(name)) continue;
    const std::string_view type = row.Cell(street_cell::Type);
    if (matcher.Matches({name, kCr, type})) AddResult(core.Search, name, type, kEmpty, SearchKind::Street, i);
  }
}

void SearchBuildings(MapCore& core, const KeyMatcher& matcher) {
  const LayerTable& table = core.Tables.ListOfBuildings;
  static const std::string building = cp1251::FromUtf8("Здание");
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    const std::string_view street = row.Cell(building_cell::Street);
    if (IsBlank(street)) continue;
    const std::string_view number = row.Cell(building_cell::Number);
    const std::string_view name = row.Cell(building_cell::Name);
    if (matcher.Matches({street, kSpace, number, kCr, name}))
      AddResult(core.Search, Address(street, number), building, name, SearchKind::Building, i);
  }
}

void SearchFirmNames(MapCore& core, const KeyMatcher& matcher) {
  const LayerTable& table = core.Tables.ListOfFirms;
  static const std::string object = cp1251::FromUtf8("Объект");
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    const std::string_view name = row.Cell(firm_cell::Name);
    if (IsBlank(name) || !matcher.Matches(name)) continue;
    AddResult(core.Search, Address(row.Cell(firm_cell::Street), row.Cell(firm_cell::Number)), object, name,
              SearchKind::Firm, i);
  }
}

void SearchObjects(MapCore& core, const KeyMatcher& matcher) {
  const LayerTable& table = core.Tables.ListOfObjects;
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    const std::string_view kind = row.Cell(object_cell::Kind);
    if (IsBlank(kind)) continue;
    const std::string_view name = row.Cell(object_cell::Name);
    if (matcher.Matches({kind, kCr, name}))
      AddResult(core.Search, Address(row.Cell(object_cell::Street), row.Cell(object_cell::Number)), kind, name,
                SearchKind::Object, i);
  }
}

}  // namespace

void FillSearchList(MapCore& core, const std::string& key) {
  SearchState& s = core.Search;
  s.ListView1.Clear();
  s.SearchListView.Clear();
  s.ListKey = key;
  const KeyMatcher matcher(key);
  SearchStreets(core, matcher);
  SearchBuildings(core, matcher);
  SearchFirmNames(core, matcher);
  SearchObjects(core, matcher);
  s.Label2 = std::to_string(s.ListView1.Count());
}

void ShowSearchResult(MapCore& core, int visibleRow, bool centre) {
  const LayerTable& hidden = core.Search.ListView1;
  if (visibleRow < 0 || visibleRow >= hidden.Count()) return;
  const LayerRow& row = hidden[visibleRow];
  const std::string_view code = row.Cell(found_cell::Code);
  int32_t index = 0;
  if (!ParseDecimalInt(row.Cell(found_cell::Row), index)) return;
  const std::optional<SearchKind> kind = SearchKindOf(code);
  if (kind)
    SelectRecord(core, *kind, index, centre);
  else
    ResetSelection(core);
}

void SearchListViewClick(MapCore& core, int selectedRow, bool centre) {
  if (selectedRow < 0 || selectedRow >= core.Search.SearchListView.Count()) return;
  ShowSearchResult(core, selectedRow, centre);
  RedrawView(core);
  core.Host.PaintMapWindow();
}
