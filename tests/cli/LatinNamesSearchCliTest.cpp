// A village whose names have letters Windows-1251 lacks, imported as a user
// would (tests/data/osm/umlauts.osm), then searched from the command line:
// what is typed with those letters finds what the import made of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class LatinNamesSearchCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempDir;
    const fs::path osm = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "umlauts.osm";
    const CliResult r = RunCli({"import-osm", NativeString(osm), "--out", NativeString(root_->Path()), "--name", "Dorf"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }
  static std::string City() { return NativeString(root_->Path() / "Dorf"); }

  // The count line(s) and the first field of every row.
  static std::vector<std::string> Found(const std::vector<std::string>& args) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::vector<std::string> fields;
    for (size_t start = 0, end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1) {
      const std::string line = r.out.substr(start, end - start);
      const bool count = line.rfind("count\t", 0) == 0 || line.rfind("similar\t", 0) == 0;
      fields.push_back(count ? line : line.substr(0, line.find('\t')));
    }
    return fields;
  }

  static TempDir* root_;
};

TempDir* LatinNamesSearchCli::root_ = nullptr;

using Lines = std::vector<std::string>;

TEST_F(LatinNamesSearchCli, KeysAreReadAsNamesAreImported) {
  const std::string city = City();
  const Lines furst = {"count\t3", "Furstenweg", "Furstenweg 1", "Furstenweg 2"};
  struct Case {
    const char* Key;
    Lines Found;
  };
  for (const Case& c : std::vector<Case>{
           {"Fürst", furst},
           {"Furst", furst},
           {"FÜRSTENWEG 2", {"count\t1", "Furstenweg 2"}},
           // "Gu" as imported, not every row holding a "G".
           {"Gü", {"count\t4", "Guferstrasse", "Gutergasse", "Guferstrasse 3", "Gutergasse 7"}},
           {"Große", {"count\t2", "Grosse Gasse", "Grosse Gasse 4"}},
           {"łąk", {"count\t2", "Lakowa", "Lakowa 8"}},
           // A character without likeness is a "?" as imported, matching only a
           // "?": no row is found, the names one letter off are only suggested.
           {"F☕rst", {"count\t0", "similar\t5", "Forsterweg", "Furstenweg", "Furstenweg 1", "Furstenweg 2",
                      "Forsterweg 5"}},
           // The way keeps its type word, the house names the street without one.
           {"пр. абая 10", {"count\t1", "Абая 10"}},
       })
    EXPECT_EQ(Found({"search", city, c.Key}), c.Found) << c.Key;
}

TEST_F(LatinNamesSearchCli, FirmsAreFoundByNameAndAddressAsImported) {
  const std::string city = City();
  struct Case {
    const char* Key;
    Lines Found;
  };
  for (const Case& c : std::vector<Case>{
           {"Müller", {"count\t1", "1"}},
           {"café", {"count\t1", "1"}},
           {"bäckerei gütergasse", {"count\t1", "0"}},
           {"kaffee ☕", {"count\t1", "2"}},  // the "?" the import wrote for the cup
       })
    EXPECT_EQ(Found({"firms", city, c.Key}), c.Found) << c.Key;
}

}  // namespace
