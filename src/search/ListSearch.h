#pragma once
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

struct MapCore;

// The case-insensitive "contains" test of both searches over Windows-1251 text.
// The key is upper-cased once; each searched text is compared byte by byte
// through the upper-case table, at start positions 0 to L - 2 (L its length):
// a one-character key is never found at the last character, a text shorter
// than two characters never matches (not even the empty key), and a window that
// runs past the end does not match.  No trimming: spaces count.
class KeyMatcher {
 public:
  explicit KeyMatcher(std::string_view key);
  bool Matches(std::string_view searched) const { return Matches(std::span<const std::string_view>(&searched, 1)); }
  // The text made of `parts` joined end to end, tested without building it.
  bool Matches(std::span<const std::string_view> parts) const;
  bool Matches(std::initializer_list<std::string_view> parts) const {
    return Matches(std::span<const std::string_view>(parts.begin(), parts.size()));
  }

 private:
  std::string upperKey_;
  const unsigned char* upper_;  // upper case of every Windows-1251 byte
};

bool MatchesKey(std::string_view searched, std::string_view key);

// Lists every street, building, firm and object whose text contains the key in
// ListView1 (with kind code and row index) and SearchListView (what the user
// sees), kept row for row in step; Label2 = number of results.
void FillSearchList(MapCore& core, const std::string& key);

// Turns row `visibleRow` of SearchListView into the map selection: clears the
// selection, then selects the street, building or object, or shows the firm.
// A row outside the list does nothing.  The caller redraws and paints.
void ShowSearchResult(MapCore& core, int visibleRow, bool centre);

// SearchListViewClick / SearchListViewDblClick (centre = true): with a row
// selected (selectedRow >= 0), ShowSearchResult, RedrawView and a paint of the
// map window; with none (-1) nothing happens.
void SearchListViewClick(MapCore& core, int selectedRow, bool centre);
