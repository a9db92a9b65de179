#include "search/FirmSearch.h"

#include <array>
#include <exception>

#include "info/Selection.h"
#include "mapdata/DecimalText.h"
#include "search/KeyLimit.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"

namespace {

// The parts of a firm's searched text that the check boxes choose, joined with
// no separator (so a key can run from the name into the street).
std::span<const std::string_view> FirmTextParts(const SearchState& s, const LayerRow& firm, RowParts& parts) {
  size_t count = 0;
  if (firm.Cell(firm_cell::Name) == " ") return {};
  if (s.SearchFirmNames) parts[count++] = firm.Cell(firm_cell::Name);
  if (s.SearchFirmAddresses) {
    parts[count++] = firm.Cell(firm_cell::Street);
    parts[count++] = firm.Cell(firm_cell::Number);
  }
  if (s.SearchFirmKeywords) parts[count++] = firm.Cell(firm_cell::Keywords);
  return std::span<const std::string_view>(parts.data(), count);
}

void AddFirmResult(SearchState& s, const LayerRow& firm, int row) {
  s.FoundFirms.AddRow({NumberText(row).View()});
  // In the order of shown_firm_cell.
  s.SearchFirmListView.AddRow(
      {firm.Cell(firm_cell::Name), JoinedWithSpace(firm.Cell(firm_cell::Street), firm.Cell(firm_cell::Number))});
}

void ListMatchingFirms(MapCore& core, const std::string& key, MatchReach reach) {
  SearchState& s = core.Search;
  const LayerTable& firms = core.Tables.ListOfFirms;
  const int counts[] = {firms.Count()};
  const FoundRows found = FindRows(key, reach, counts, [&](int, int row, RowParts& parts) {
    return FirmTextParts(s, firms[row], parts);
  });
  for (const RowRef& ref : found.Rows) AddFirmResult(s, firms[ref.Row], ref.Row);
  s.FirmSimilar = found.Similar;
}

}  // namespace

void ClearFirmResults(SearchState& search) {
  search.FoundFirms.Clear();
  search.SearchFirmListView.Clear();
  search.FirmCountText = std::to_string(search.SearchFirmListView.Count());
  search.FirmSimilar = 0;
  search.FirmKey.clear();
  search.FirmKeyCut = false;
}

void SearchFirms(MapCore& core, const std::string& key, MatchReach reach) {
  SearchState& s = core.Search;
  ClearFirmResults(s);
  s.FirmKey = key == " " ? std::string() : key;  // the field's empty entry searches for " "
  const BoundedKey bounded = BoundKey(key);
  s.FirmKeyCut = bounded.Cut;
  if (!key.empty() && key != " ") ListMatchingFirms(core, bounded.Key, reach);
  if (core.Flags.Shown(DrawCode::Firm)) {
    RedrawView(core);
    core.Host.PaintMapWindow();
  }
  s.FirmCountText = std::to_string(s.SearchFirmListView.Count() - s.FirmSimilar);
}

void SearchFirmsFromField(MapCore& core, const std::string& editText) { SearchFirms(core, editText.empty() ? " " : editText); }

void FirmResultSelected(MapCore& core, int visibleRow, bool centre) {
  const LayerTable& found = core.Search.FoundFirms;
  if (visibleRow < 0 || visibleRow >= found.Count()) return;
  int32_t firm = 0;
  if (!ParseDecimalInt(found[visibleRow].Cell(found_firm_cell::FirmRow), firm) || firm < 0 ||
      firm >= core.Tables.ListOfFirms.Count())
    return;
  if (!centre) {
    ShowObjectInfo(core, firm, false);
    return;
  }
  // The double click swallows any failure of the centring.
  try {
    ShowObjectInfo(core, firm, true);
  } catch (const std::exception&) {
  }
}
