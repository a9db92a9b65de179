// Where the window's import writes and whether a city's name is free there.
#include <gtest/gtest.h>

#include "mapdata/NativeName.h"
#include "shell/import/CityNaming.h"
#include "support/TempDir.h"

namespace {

TEST(CityNaming, ImportGoesToTheUsersRootWhenListedElseTheFirst) {
  const fs::path beside = "/opt/t/Base", user = "/home/u/Base", system = "/usr/share/t/Base";
  EXPECT_EQ(ImportDataRoot({beside, user, system}, user), user);
  EXPECT_EQ(ImportDataRoot({beside, system}, user), beside);
  EXPECT_EQ(ImportDataRoot({}, user), user);
}

TEST(CityNaming, NameIsTakenHiddenOrNoFolderName) {
  TempDir dir;
  const fs::path first = dir.Path() / "first", import = dir.Path() / "import", last = dir.Path() / "last";
  WriteBytes(first / NativePath("Ранний") / "Info" / "about.inf", "x");
  WriteBytes(import / NativePath("Свой") / "Info" / "about.inf", "x");
  WriteBytes(import / NativePath("Файл"), "x");
  WriteBytes(last / NativePath("Поздний") / "Info" / "about.inf", "x");
  const struct {
    const char* name;
    CityNameUse use;
  } cases[] = {
      {"Новый", CityNameUse::Free},
      {"Поздний", CityNameUse::Free},   // the new city hides the later one
      {"Свой", CityNameUse::Taken},
      {"Файл", CityNameUse::Taken},     // whatever holds the name
      {"Ранний", CityNameUse::Hidden},  // listed before the import root
      {"", CityNameUse::NotAFolderName},
      {".скрытый", CityNameUse::NotAFolderName},
      {"а/б", CityNameUse::NotAFolderName},
  };
  for (const auto& c : cases) EXPECT_EQ(UseOfCityName({first, import, last}, import, c.name), c.use) << c.name;
}

}  // namespace
