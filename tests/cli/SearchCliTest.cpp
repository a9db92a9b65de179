#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <memory>

#include "cli/CliRun.h"
#include "mapdata/Cp1251.h"
#include "support/CityBuilder.h"
#include "support/TempDir.h"
#include "mapdata/NativeName.h"

namespace fs = std::filesystem;

namespace {

TEST(SearchCli, WrongArgumentsAreUsageErrors) {
  EXPECT_EQ(RunCli({"search", "only-a-city"}).exitCode, 2);
  EXPECT_EQ(RunCli({"firms", "city", "key", "--name"}).exitCode, 2);
  EXPECT_EQ(RunCli({"firms", "city", "key", "--name", "maybe"}).exitCode, 2);
  EXPECT_EQ(RunCli({"firms", "city", "key", "--colour", "on"}).exitCode, 2);
  const CliResult r = RunCli({"add-keyword", "city"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("usage: tellurin-cli add-keyword CITY_DIR WORD"), std::string::npos);
}

TEST(SearchCli, MissingCityFolderIsAUsageError) {
  TempDir dir;
  for (const char* command : {"search", "firms", "add-keyword"}) {
    const CliResult r = RunCli({command, NativeString(dir.Path() / "Base" / "Nowhere"), "x"});
    EXPECT_EQ(r.exitCode, 2) << command;
    EXPECT_NE(r.err.find("не папка города"), std::string::npos) << r.err;
  }
}

TEST(SearchCli, AddKeywordRewritesTheFileInOrder) {
  TempDir dir;
  const fs::path city = dir.Path() / "Base" / "Town";
  WriteBytes(city / "Info/about.inf", "Town\r\n");
  WriteBytes(city / "Kw.map", W("вокзал\nбанк\r\n"));
  const CliResult r = RunCli({"add-keyword", NativeString(city), "Аптека"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "count\t3\nАптека\nбанк\nвокзал\n");
  EXPECT_EQ(ReadBytes(city / "Kw.map"), W("Аптека\r\nбанк\r\nвокзал\r\n"));
}

bool RunningAsRoot() {
#ifdef _WIN32
  return false;
#else
  return geteuid() == 0;
#endif
}

// Runs the command as a user without root's rights over the temporary folder
// (nobody when the tests run as root); empty when that is impossible.
bool DropRights(const fs::path& root, std::vector<std::string>& prefix) {
#ifdef _WIN32
  (void)root, (void)prefix;
  return false;  // rights there are access lists, which these tests do not set
#else
  if (geteuid() != 0) return true;
  if (!fs::exists("/usr/bin/setpriv")) return false;
  for (fs::path p = root; !p.empty() && p != p.root_path(); p = p.parent_path())
    if (NativeString(p).rfind(NativeString(fs::temp_directory_path()), 0) == 0 && p != fs::temp_directory_path())
      fs::permissions(p, fs::perms(0755));
  prefix = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
  return true;
#endif
}

TEST(SearchCli, UnreadableKeywordFileIsReportedAndKeptWhole) {
  TempDir dir;
  const fs::path city = dir.Path() / "Base" / "Town";
  WriteBytes(city / "Info/about.inf", "Town\r\n");
  WriteBytes(city / "Kw.map", W("банк\r\n"));
  std::vector<std::string> prefix;
  if (!DropRights(city, prefix)) GTEST_SKIP() << "setpriv is needed to drop root rights";
  fs::permissions(city / "Kw.map", fs::perms(0600));
  if (!RunningAsRoot()) fs::permissions(city / "Kw.map", fs::perms(0000));
  const CliResult r = RunCli({"add-keyword", NativeString(city), "аптека"}, prefix);
  fs::permissions(city / "Kw.map", fs::perms(0644));
  EXPECT_NE(r.err.find("message\tНе удалось прочитать список ключевых слов из файла \"" +
                       NativeString(city / "Kw.map") + "\": нет прав на чтение файла."),
            std::string::npos)
      << r.err;
  EXPECT_EQ(ReadBytes(city / "Kw.map"), W("банк\r\n"));
}

// The city folder is not writable for the user running the program: the old
// file stays whole, the message names it and why, the word is still listed.
TEST(SearchCli, KeywordFileInAFolderWithoutWriteRightsStaysIntact) {
  TempDir dir;
  const fs::path city = dir.Path() / "Base" / "Town";
  WriteBytes(city / "Info/about.inf", "Town\r\n");
  WriteBytes(city / "Kw.map", W("банк\r\n"));
  std::vector<std::string> prefix;
  if (!DropRights(city, prefix)) GTEST_SKIP() << "setpriv is needed to drop root rights";
  if (!RunningAsRoot()) fs::permissions(city, fs::perms(0555));
  const CliResult r = RunCli({"add-keyword", NativeString(city), "аптека"}, prefix);
  fs::permissions(city, fs::perms(0755));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "count\t2\nаптека\nбанк\n");
  EXPECT_NE(r.err.find("message\tНе удалось сохранить список ключевых слов в файл \"" + NativeString(city / "Kw.map") +
                       "\": нет прав на запись в папку города"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(ReadBytes(city / "Kw.map"), W("банк\r\n"));
  EXPECT_FALSE(fs::exists(city / "Kw.map.tmp"));
}

}  // namespace

namespace {

// A city with a street, a building, an object and two firms (one with a tab in
// its name, printed escaped), written once for the suite.
class SearchCliTown : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    city_ = std::make_unique<CityBuilder>("Town");
    city_->About("Городок");
    city_->Plain("Data/Streets.txt", {StreetRecord("Ленина", "0 0 100 0", 2, "3", "улица")});
    city_->Plain("Data/Buildings.txt", {{W("Ленина"), "5", W("Почта"), "4", "10 10 20 10 20 20 10 20"}});
    city_->Plain("Data/Objects.txt", {{W("Школа"), W("Ленина"), "2", W("Гимназия"), "50 50", "0"}});
    city_->Raw("Firms/a.txt", PlainFirmBytes({W("Аптека\tЛенина"), W("Мира"), "3", "80 80", W("лекарства")}));
    city_->Raw("Firms/b.txt", PlainFirmBytes({W("Банк"), W("Ленина"), "12", "90 90", W("кредит")}));
  }
  static void TearDownTestSuite() { city_.reset(); }
  static std::string Dir() { return NativeString(city_->CityDir()); }

 private:
  static inline std::unique_ptr<CityBuilder> city_;
};

TEST_F(SearchCliTown, SearchListsEveryMatchWithKindAndRow) {
  const CliResult r = RunCli({"search", Dir(), "ЛЕНИНА"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "count\t3\n"
            "Ленина\tулица\t\t1\t0\n"
            "Ленина 5\tЗдание\tПочта\t2\t0\n"
            "Мира 3\tОбъект\tАптека\\tЛенина\t3\t0\n");
  EXPECT_EQ(r.err.find("message\t"), std::string::npos) << r.err;
}

TEST_F(SearchCliTown, SearchWithTheEmptyKeyListsEverything) {
  const CliResult r = RunCli({"search", Dir(), ""});
  EXPECT_EQ(r.out.substr(0, 8), "count\t5\n");
}

TEST_F(SearchCliTown, FirmsFollowTheChosenParts) {
  const std::string dir = Dir();
  CliResult r = RunCli({"firms", dir, "ленина12"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "count\t1\n1\tБанк\tЛенина 12\n");
  r = RunCli({"firms", dir, "ленина", "--address", "off"});
  EXPECT_EQ(r.out, "count\t1\n0\tАптека\\tЛенина\tМира 3\n");
  r = RunCli({"firms", dir, "кредит", "--keywords", "off"});
  EXPECT_EQ(r.out, "count\t0\n");
  r = RunCli({"firms", dir, " "});
  EXPECT_EQ(r.out, "count\t0\n");
}

// The rows found as typed come first, as they always have; those found word by
// word follow; names nearly typed follow a "similar" line after "count 0".
TEST_F(SearchCliTown, FurtherMatchesFollowAndNearNamesAreMarkedSimilar) {
  const std::string dir = Dir();
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"search", dir, "ленина 5"}, "count\t1\nЛенина 5\tЗдание\tПочта\t2\t0\n"},
      // The building's row names no type: it follows, as the street of the type would.
      {{"search", dir, "5 ул. Ленина"}, "count\t1\nЛенина 5\tЗдание\tПочта\t2\t0\n"},
      // The street of the type first, then the rows that name none.
      {{"search", dir, "ул. Ленина"},
       "count\t3\nЛенина\tулица\t\t1\t0\nЛенина 5\tЗдание\tПочта\t2\t0\nМира 3\tОбъект\tАптека\\tЛенина\t3\t0\n"},
      {{"search", dir, "почта 5 ленина"}, "count\t1\nЛенина 5\tЗдание\tПочта\t2\t0\n"},
      {{"search", dir, "Ленна"},
       "count\t0\nsimilar\t3\nЛенина\tулица\t\t1\t0\nЛенина 5\tЗдание\tПочта\t2\t0\n"
       "Мира 3\tОбъект\tАптека\\tЛенина\t3\t0\n"},
      {{"firms", dir, "кредит ленина"}, "count\t1\n1\tБанк\tЛенина 12\n"},
      {{"firms", dir, "Бнк"}, "count\t0\nsimilar\t1\n1\tБанк\tЛенина 12\n"},
      {{"firms", dir, "Бнк", "--name", "off"}, "count\t0\n"},
  };
  for (const auto& [args, out] : cases) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << args[2] << r.err;
    EXPECT_EQ(r.out, out) << args[2];
  }
}

}  // namespace
