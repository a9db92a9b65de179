#pragma once
// The user's bookmarks: named views of a city (the map point in the middle of
// the visible map and the scale), kept per city in the viewer's settings
// beside its remembered view.  A bookmark comes back as a remembered view does
// (RestoreCityView).  The settings file is the user's to edit, so every entry
// is read on its own: one that is not what it should be is skipped, silently.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class QSettings;

struct Bookmark {
  std::string Name;  // UTF-8, as BookmarkName leaves it
  int32_t CenterX = 0;
  int32_t CenterY = 0;
  float Scale = 1.0f;
  bool operator==(const Bookmark&) const = default;
};

// The bookmarks of each city, by its directory name, in the order they were added.
using CityBookmarks = std::map<std::string, std::vector<Bookmark>>;

// A name longer than this is cut: a menu shows it in one line.
constexpr int kMaxBookmarkNameLength = 100;
// More entries than anyone keeps; the rest of a longer list is not read.
constexpr int kMaxBookmarks = 10000;

// The name as a menu can show it: control characters (line breaks, tabs) as
// spaces, runs of spaces as one, no spaces at either end, at most
// kMaxBookmarkNameLength characters.  Empty: no name.
QString BookmarkName(const QString& typed);

// Adds a bookmark at the end of the city's list; false (nothing added) for a
// name that BookmarkName leaves empty.
bool AddBookmark(std::vector<Bookmark>& list, Bookmark bookmark);
// False, nothing changed, for an index not in the list or an empty name.
bool RenameBookmark(std::vector<Bookmark>& list, size_t index, const QString& name);
bool DeleteBookmark(std::vector<Bookmark>& list, size_t index);

// The "Bookmarks" array of the settings: an entry with no city, no name, a
// centre that is no 32-bit number or a scale a remembered view may not have
// (kRememberedScaleMin..kRememberedScaleMax) is skipped; the others are read.
CityBookmarks ReadBookmarks(QSettings& settings);
void WriteBookmarks(QSettings& settings, const CityBookmarks& bookmarks);
