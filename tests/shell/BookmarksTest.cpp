// The bookmarks in the settings file: every entry read on its own, a damaged
// one skipped; names as a menu can show them.
#include "shell/Bookmarks.h"

#include <QSettings>
#include <gtest/gtest.h>

#include "mapdata/NativeName.h"
#include "support/TempDir.h"

TEST(Bookmarks, EntriesAreReadOneByOneAndADamagedOneSkipped) {
  TempDir dir;
  const fs::path file = dir.Path() / "Tellurin.conf";
  const std::string longName(130, 'x');
  WriteBytes(file,
             "[Bookmarks]\nsize=9\n"
             "1\\City=Town\n1\\Name=  Вокзал   \n1\\CenterX=10\n1\\CenterY=-20\n1\\Scale=2.5\n"
             "2\\City=Town\n2\\Name=\n2\\CenterX=10\n2\\CenterY=20\n2\\Scale=1\n"
             "3\\City=Town\n3\\Name=Far\n3\\CenterX=10\n3\\CenterY=20\n3\\Scale=40\n"
             "4\\City=Town\n4\\Name=Odd\n4\\CenterX=ten\n4\\CenterY=20\n4\\Scale=1\n"
             "5\\City=\n5\\Name=Nowhere\n5\\CenterX=1\n5\\CenterY=2\n5\\Scale=1\n"
             "6\\City=Town\n6\\Name=Huge\n6\\CenterX=4294967296\n6\\CenterY=2\n6\\Scale=1\n"
             "7\\City=Озёрск\n7\\Name=" + longName + "\n7\\CenterX=1\n7\\CenterY=2\n7\\Scale=0.25\n"
             "8\\City=Town\n8\\Name=Парк & пруд\n8\\CenterX=3\n8\\CenterY=4\n8\\Scale=15\n"
             "9\\City=Town\n9\\CenterX=3\n9\\CenterY=4\n9\\Scale=1\n");
  const CityBookmarks expected = {
      {"Town", {{"Вокзал", 10, -20, 2.5f}, {"Парк & пруд", 3, 4, 15.0f}}},
      {"Озёрск", {{std::string(kMaxBookmarkNameLength, 'x'), 1, 2, 0.25f}}},
  };
  const QString path = QString::fromStdString(NativeString(file));
  {
    QSettings settings(path, QSettings::IniFormat);
    EXPECT_EQ(ReadBookmarks(settings), expected);
    settings.clear();
    WriteBookmarks(settings, expected);
  }
  QSettings settings(path, QSettings::IniFormat);
  EXPECT_EQ(ReadBookmarks(settings), expected);
}

TEST(Bookmarks, NamesAreOneLineOfAtMostTheLongestLength) {
  const std::pair<QString, QString> cases[] = {
      {"  Дом \t у\r\nреки ", "Дом у реки"},
      {QString("a") + QChar(0x2028) + "b" + QChar(0x0007), "a b"},
      {" \n\t", ""},
      {QString(kMaxBookmarkNameLength - 1, 'x') + QString::fromUcs4(U"\U0001F600"), QString(kMaxBookmarkNameLength - 1, 'x')},
  };
  for (const auto& [typed, name] : cases) EXPECT_EQ(BookmarkName(typed), name) << typed.toStdString();
  std::vector<Bookmark> list;
  EXPECT_FALSE(AddBookmark(list, {" ", 1, 2, 1}));
  EXPECT_TRUE(AddBookmark(list, {" Дом ", 1, 2, 1}));
  EXPECT_FALSE(RenameBookmark(list, 0, "\t"));
  EXPECT_FALSE(RenameBookmark(list, 1, "Сад"));
  EXPECT_FALSE(DeleteBookmark(list, 1));
  EXPECT_EQ(list, (std::vector<Bookmark>{{"Дом", 1, 2, 1}}));
}
