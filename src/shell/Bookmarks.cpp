#include "shell/Bookmarks.h"

#include <QSettings>
#include <QVariant>

#include <algorithm>
#include <limits>
#include <optional>

#include "mapdata/NativeName.h"
#include "shell/ViewerSettings.h"

namespace {

std::optional<int32_t> ReadCoordinate(const QSettings& s, const QString& key) {
  bool ok = false;
  const qlonglong n = s.value(key).toString().trimmed().toLongLong(&ok);
  if (!ok || n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(n);
}

std::optional<float> ReadScale(const QSettings& s, const QString& key) {
  bool ok = false;
  const float scale = s.value(key).toString().trimmed().toFloat(&ok);
  if (!ok || !(scale >= kRememberedScaleMin && scale <= kRememberedScaleMax)) return std::nullopt;
  return scale;
}

// One entry of the array the settings stand at; none when any value is unfit.
std::optional<Bookmark> ReadEntry(const QSettings& s, std::string& city) {
  city = NativeString(PathFromQString(s.value("City").toString()));
  const QString name = BookmarkName(s.value("Name").toString());
  const auto x = ReadCoordinate(s, "CenterX"), y = ReadCoordinate(s, "CenterY");
  const auto scale = ReadScale(s, "Scale");
  if (city.empty() || name.isEmpty() || !x || !y || !scale) return std::nullopt;
  return Bookmark{name.toStdString(), *x, *y, *scale};
}

bool Listed(const std::vector<Bookmark>& list, size_t index) { return index < list.size(); }

}  // namespace

QString BookmarkName(const QString& typed) {
  QString name = typed;
  for (QChar& c : name)
    if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
        c.category() == QChar::Separator_Paragraph)
      c = u' ';
  name = name.simplified();
  if (name.size() > kMaxBookmarkNameLength) {
    // Never half of a character written as two UTF-16 units.
    int end = kMaxBookmarkNameLength;
    if (name.at(end - 1).isHighSurrogate()) --end;
    name = name.left(end).trimmed();
  }
  return name;
}

bool AddBookmark(std::vector<Bookmark>& list, Bookmark bookmark) {
  const QString name = BookmarkName(QString::fromStdString(bookmark.Name));
  if (name.isEmpty()) return false;
  bookmark.Name = name.toStdString();
  list.push_back(std::move(bookmark));
  return true;
}

bool RenameBookmark(std::vector<Bookmark>& list, size_t index, const QString& name) {
  const QString cleaned = BookmarkName(name);
  if (!Listed(list, index) || cleaned.isEmpty()) return false;
  list[index].Name = cleaned.toStdString();
  return true;
}

bool DeleteBookmark(std::vector<Bookmark>& list, size_t index) {
  if (!Listed(list, index)) return false;
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

CityBookmarks ReadBookmarks(QSettings& s) {
  CityBookmarks out;
  const int count = std::min(s.beginReadArray("Bookmarks"), kMaxBookmarks);
  for (int i = 0; i < count; ++i) {
    s.setArrayIndex(i);
    std::string city;
    if (std::optional<Bookmark> bookmark = ReadEntry(s, city)) out[city].push_back(std::move(*bookmark));
  }
  s.endArray();
  return out;
}

void WriteBookmarks(QSettings& s, const CityBookmarks& bookmarks) {
  int count = 0;
  for (const auto& [city, list] : bookmarks) count += static_cast<int>(list.size());
  s.beginWriteArray("Bookmarks", count);
  int i = 0;
  for (const auto& [city, list] : bookmarks)
    for (const Bookmark& b : list) {
      s.setArrayIndex(i++);
      s.setValue("City", PathToQString(NativePath(city)));
      s.setValue("Name", QString::fromStdString(b.Name));
      s.setValue("CenterX", b.CenterX);
      s.setValue("CenterY", b.CenterY);
      s.setValue("Scale", QString::number(b.Scale, 'g', 9));  // the float exactly
    }
  s.endArray();
}
