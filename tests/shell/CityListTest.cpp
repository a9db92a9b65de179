// The city list: which folders of a data root are cities.
#include <gtest/gtest.h>

#include <set>

#include "mapdata/NativeName.h"
#include "shell/CityList.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Every folder holds Info/about.inf; only the visible ones are cities.
TEST(CityList, AHiddenFolderIsNeverACityWhateverItHolds) {
  struct Case {
    std::string Folder;
    bool Listed;
  };
  const Case cases[] = {
      {"Город", true},
      {".Город.import-a1B2c3", false},  // an import not yet in place
      {".Город.old-a1B2c3", false},     // what a replaced city left
      {".hidden", false},
      {"..Город", false},
#ifndef _WIN32
      {"Город.", true},  // Windows drops a name's final dot
#endif
  };
  TempDir root;
  for (const Case& c : cases) WriteBytes(root.Path() / NativePath(c.Folder) / "Info" / "about.inf", "Город\n");
  std::set<std::string> listed;
  for (const CityLocation& city : FindCities({root.Path()})) listed.insert(city.CityName);
  for (const Case& c : cases) EXPECT_EQ(listed.count(c.Folder), c.Listed ? 1u : 0u) << c.Folder;
}

}  // namespace
