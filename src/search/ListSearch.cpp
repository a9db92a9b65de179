#include "search/ListSearch.h"

#include <array>

#include "info/Selection.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "search/KeyLimit.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"

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
  s.FoundRecords.AddRow({address, kind, name, std::string_view(&codeText, 1), NumberText(row).View()});
}

// The four sources in the order they are listed, numbered as FindRows numbers
// them.
enum Source : int { kStreets, kBuildings, kFirms, kObjects, kSources };

const LayerTable& TableOf(const MapCore& core, int source) {
  const CityTables& t = core.Tables;
  switch (source) {
    case kStreets: return t.ListOfStreets;
    case kBuildings: return t.ListOfBuildings;
    case kFirms: return t.ListOfFirms;
    default: return t.ListOfObjects;
  }
}

// The searched text of a row as parts joined end to end (CR and a space
// between them as the list has always joined them); none for a skipped row.
std::span<const std::string_view> SearchedParts(const LayerRow& row, int source, RowParts& p) {
  size_t n = 0;
  switch (source) {
    case kStreets:
      if (IsBlank(row.Cell(street_cell::Name))) break;
      p = {row.Cell(street_cell::Name), kCr, row.Cell(street_cell::Type)};
      n = 3;
      break;
    case kBuildings:
      if (IsBlank(row.Cell(building_cell::Street))) break;
      p = {row.Cell(building_cell::Street), kSpace, row.Cell(building_cell::Number), kCr, row.Cell(building_cell::Name)};
      n = 5;
      break;
    case kFirms:
      if (IsBlank(row.Cell(firm_cell::Name))) break;
      p = {row.Cell(firm_cell::Name)};
      n = 1;
      break;
    default:
      if (IsBlank(row.Cell(object_cell::Kind))) break;
      p = {row.Cell(object_cell::Kind), kCr, row.Cell(object_cell::Name)};
      n = 3;
      break;
  }
  return std::span<const std::string_view>(p.data(), n);
}

void AddFound(SearchState& s, const LayerRow& row, int source, int index) {
  static const std::string building = cp1251::FromUtf8("Здание");
  static const std::string object = cp1251::FromUtf8("Объект");
  switch (source) {
    case kStreets:
      AddResult(s, row.Cell(street_cell::Name), row.Cell(street_cell::Type), kEmpty, SearchKind::Street, index);
      break;
    case kBuildings:
      AddResult(s, Address(row.Cell(building_cell::Street), row.Cell(building_cell::Number)), building,
                row.Cell(building_cell::Name), SearchKind::Building, index);
      break;
    case kFirms:
      AddResult(s, Address(row.Cell(firm_cell::Street), row.Cell(firm_cell::Number)), object,
                row.Cell(firm_cell::Name), SearchKind::Firm, index);
      break;
    default:
      AddResult(s, Address(row.Cell(object_cell::Street), row.Cell(object_cell::Number)), row.Cell(object_cell::Kind),
                row.Cell(object_cell::Name), SearchKind::Object, index);
      break;
  }
}

}  // namespace

FoundRows FindListRows(const MapCore& core, std::string_view key, MatchReach reach) {
  std::array<const LayerTable*, kSources> tables{};
  std::array<int, kSources> counts{};
  for (int source = 0; source < kSources; ++source) {
    tables[source] = &TableOf(core, source);
    counts[source] = tables[source]->Count();
  }
  return FindRows(key, reach, counts, [&tables](int source, int row, RowParts& parts) {
    return SearchedParts((*tables[source])[row], source, parts);
  });
}

void FillSearchList(MapCore& core, const std::string& key, MatchReach reach) {
  SearchState& s = core.Search;
  s.FoundRecords.Clear();
  s.SearchListView.Clear();
  s.ListKey = key;
  const BoundedKey bounded = BoundKey(key);
  s.ListKeyCut = bounded.Cut;
  const FoundRows found = FindListRows(core, bounded.Key, reach);
  for (const RowRef& ref : found.Rows) AddFound(s, TableOf(core, ref.Source)[ref.Row], ref.Source, ref.Row);
  s.ListSimilar = found.Similar;
  s.ListCountText = std::to_string(s.FoundRecords.Count() - found.Similar);
}

void ShowSearchResult(MapCore& core, int visibleRow, bool centre) {
  const LayerTable& hidden = core.Search.FoundRecords;
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

void SelectFoundRow(MapCore& core, int selectedRow, bool centre) {
  if (selectedRow < 0 || selectedRow >= core.Search.SearchListView.Count()) return;
  ShowSearchResult(core, selectedRow, centre);
  RedrawView(core);
  core.Host.PaintMapWindow();
}
