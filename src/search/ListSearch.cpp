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
constexpr char kCr = '\r';

// Kind codes of the hidden result list.
constexpr const char* kStreetCode = "1";
constexpr const char* kBuildingCode = "2";
constexpr const char* kFirmCode = "3";
constexpr const char* kObjectCode = "5";

bool IsBlank(const std::string& cell) { return cell == " "; }

std::string Address(const std::string& street, const std::string& number) { return street + " " + number; }

// Appends one result to both lists, so that row r of one is row r of the other.
void AddResult(SearchState& s, std::string address, std::string kind, std::string name, const char* code,
               int row) {
  LayerRow& visible = s.SearchListView.Add(address);
  visible.SubItems = {kind, name};
  LayerRow& hidden = s.ListView1.Add(std::move(address));
  hidden.SubItems = {std::move(kind), std::move(name), code, std::to_string(row)};
}

// Each source scans its table; `text` is a buffer reused for every searched
// text so that the scan allocates only for results.
void SearchStreets(MapCore& core, const KeyMatcher& matcher, std::string& text) {
  const LayerTable& table = core.Tables.ListOfStreets;
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    if (IsBlank(row.Caption)) continue;
    const std::string& type = row.Cell(kStreetType);
    text.assign(row.Caption).append(1, kCr).append(type);
    if (matcher.Matches(text)) AddResult(core.Search, row.Caption, type, std::string(), kStreetCode, i);
  }
}

void SearchBuildings(MapCore& core, const KeyMatcher& matcher, std::string& text) {
  const LayerTable& table = core.Tables.ListOfBuildings;
  static const std::string building = cp1251::FromUtf8("Здание");
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    if (IsBlank(row.Caption)) continue;
    const std::string& number = row.Cell(kBuildingNumber);
    const std::string& name = row.Cell(kBuildingName);
    text.assign(row.Caption).append(1, ' ').append(number).append(1, kCr).append(name);
    if (matcher.Matches(text)) AddResult(core.Search, Address(row.Caption, number), building, name, kBuildingCode, i);
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

void SearchObjects(MapCore& core, const KeyMatcher& matcher, std::string& text) {
  const LayerTable& table = core.Tables.ListOfObjects;
  for (int i = 0; i < table.Count(); ++i) {
    const LayerRow& row = table[i];
    if (IsBlank(row.Caption)) continue;
    const std::string& name = row.Cell(kObjectName);
    text.assign(row.Caption).append(1, kCr).append(name);
    if (matcher.Matches(text))
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
  std::string text;
  SearchStreets(core, matcher, text);
  SearchBuildings(core, matcher, text);
  SearchFirmNames(core, matcher);
  SearchObjects(core, matcher, text);
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
