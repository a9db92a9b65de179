#include "search/ListSearch.h"

#include <charconv>

#include "info/Selection.h"
#include "mapdata/Cp1251.h"
#include "render/RedrawView.h"
#include "search/SearchColumns.h"
#include "shell/MapCore.h"

namespace {

using namespace search_columns;

// Joins the parts of a searched text: a key never matches across it.
constexpr std::string_view kCr = "\r";
constexpr std::string_view kSpace = " ";

// Kind codes of the hidden result list.
constexpr const char* kStreetCode = "1";
constexpr const char* kBuildingCode = "2";
constexpr const char* kFirmCode = "3";
constexpr const char* kObjectCode = "5";

const std::string kEmpty;

bool IsBlank(const std::string& cell) { return cell == " "; }

std::string Address(const std::string& street, const std::string& number) { return street + " " + number; }

// Appends one result to both lists, so that row r of one is row r of the other.
void AddResult(SearchState& s, std::string address, const std::string& kind, const std::string& name,
               const char* code, int row) {
  LayerRow& visible = s.SearchListView.Add(address);
  visible.SubItems.reserve(2);
  visible.SubItems.emplace_back(kind);
  visible.SubItems.emplace_back(name);
  LayerRow& hidden = s.ListView1.Add(std::move(address));
  hidden.SubItems.reserve(4);
  hidden.SubItems.emplace_back(kind);
  hidden.SubItems.emplace_back(name);
  hidden.SubItems.emplace_back(code);
  hidden.SubItems.emplace_back(std::to_string(row));
}

// Each source scans its table, testing the parts of each searched text in
// place; only results allocate.
void SearchStreets(MapCore& core, const KeyMatcher& matcher) {
  const LayerTable& table = core.Tables.ListOfStreets;
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    if (IsBlank(row.Caption)) continue;
    const std::string& type = row.Cell(kStreetType);
    if (matcher.Matches({row.Caption, kCr, type})) AddResult(core.Search, row.Caption, type, kEmpty, kStreetCode, i);
  }
}

void SearchBuildings(MapCore& core, const KeyMatcher& matcher) {
  const LayerTable& table = core.Tables.ListOfBuildings;
  static const std::string building = cp1251::FromUtf8("Здание");
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    if (IsBlank(row.Caption)) continue;
    const std::string& number = row.Cell(kBuildingNumber);
    const std::string& name = row.Cell(kBuildingName);
    if (matcher.Matches({row.Caption, kSpace, number, kCr, name})) AddResult(core.Search, Address(row.Caption, number), building, name, kBuildingCode, i);
  }
}

void SearchFirmNames(MapCore& core, const KeyMatcher& matcher) {
  const LayerTable& table = core.Tables.ListOfFirms;
  static const std::string object = cp1251::FromUtf8("Объект");
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    if (IsBlank(row.Caption) || !matcher.Matches(row.Caption)) continue;
    AddResult(core.Search, Address(row.Cell(kFirmStreet), row.Cell(kFirmNumber)), object, row.Caption, kFirmCode, i);
  }
}

void SearchObjects(MapCore& core, const KeyMatcher& matcher) {
  const LayerTable& table = core.Tables.ListOfObjects;
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    if (IsBlank(row.Caption)) continue;
    const std::string& name = row.Cell(kObjectName);
    if (matcher.Matches({row.Caption, kCr, name}))
      AddResult(core.Search, Address(row.Cell(kObjectStreet), row.Cell(kObjectNumber)), row.Caption, name,
                kObjectCode, i);
  }
}

bool ParseIndex(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

void FillSearchList(MapCore& core, const std::string& key) {
  SearchState& s = core.Search;
  s.ListView1.Clear();
  s.SearchListView.Clear();
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
  const std::string& code = row.Cell(2);  // "Тип"
  int index = 0;
  if (!ParseIndex(row.Cell(3), index)) return;  // "№ П/П"
  ResetSelection(core);
  if (code == kStreetCode)
    SelectStreet(core, index, centre);
  else if (code == kBuildingCode)
    SelectBuilding(core, index, centre);
  else if (code == kObjectCode)
    SelectObject(core, index, centre);
  else if (code == kFirmCode)
    ShowObjectInfo(core, index, centre);
}

void SearchListViewClick(MapCore& core, int selectedRow, bool centre) {
  if (selectedRow < 0 || selectedRow >= core.Search.SearchListView.Count()) return;
  ShowSearchResult(core, selectedRow, centre);
  RedrawView(core);
  core.Host.PaintMapWindow();
}
