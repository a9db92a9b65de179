#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "cli/CliRun.h"
#include "mapdata/Cp1251.h"
#include "support/CityBuilder.h"
#include "support/TempDir.h"

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

TEST(SearchCli, MissingCityFolderIsReported) {
  TempDir dir;
  const CliResult r = RunCli({"search", (dir.Path() / "Base" / "Nowhere").string(), "x"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("message\tПапка города не найдена: "), std::string::npos) << r.err;
}

TEST(SearchCli, AddKeywordRewritesTheFileInOrder) {
  TempDir dir;
  const fs::path city = dir.Path() / "Base" / "Town";
  WriteBytes(city / "Kw.map", W("вокзал\nбанк\r\n"));
  const CliResult r = RunCli({"add-keyword", city.string(), "Аптека"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "count\t3\nАптека\nбанк\nвокзал\n");
  EXPECT_EQ(ReadBytes(city / "Kw.map"), W("Аптека\r\nбанк\r\nвокзал\r\n"));
}

// Runs the command as a user without root's rights over the temporary folder
// (nobody when the tests run as root); empty when that is impossible.
bool DropRights(const fs::path& root, std::vector<std::string>& prefix) {
  if (geteuid() != 0) return true;
  if (!fs::exists("/usr/bin/setpriv")) return false;
  for (fs::path p = root; !p.empty() && p != p.root_path(); p = p.parent_path())
    if (p.string().rfind(fs::temp_directory_path().string(), 0) == 0 && p != fs::temp_directory_path())
      fs::permissions(p, fs::perms(0755));
  prefix = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
  return true;
}

TEST(SearchCli, UnreadableKeywordFileIsReportedAndKeptWhole) {
  TempDir dir;
  const fs::path city = dir.Path() / "Base" / "Town";
  WriteBytes(city / "Kw.map", W("банк\r\n"));
  std::vector<std::string> prefix;
  if (!DropRights(city, prefix)) GTEST_SKIP() << "setpriv is needed to drop root rights";
  fs::permissions(city / "Kw.map", fs::perms(0600));
  if (geteuid() != 0) fs::permissions(city / "Kw.map", fs::perms(0000));
  const CliResult r = RunCli({"add-keyword", city.string(), "аптека"}, prefix);
  fs::permissions(city / "Kw.map", fs::perms(0644));
  EXPECT_NE(r.err.find("message\tНе удалось прочитать список ключевых слов из файла \"" +
                       (city / "Kw.map").string() + "\": нет прав на чтение файла."),
            std::string::npos)
      << r.err;
  EXPECT_EQ(ReadBytes(city / "Kw.map"), W("банк\r\n"));
}

// The city folder is not writable for the user running the program: the old
// file stays whole, the message names it and why, the word is still listed.
TEST(SearchCli, KeywordFileInAFolderWithoutWriteRightsStaysIntact) {
  TempDir dir;
  const fs::path city = dir.Path() / "Base" / "Town";
  WriteBytes(city / "Kw.map", W("банк\r\n"));
  std::vector<std::string> prefix;
  if (!DropRights(city, prefix)) GTEST_SKIP() << "setpriv is needed to drop root rights";
  if (geteuid() != 0) fs::permissions(city, fs::perms(0555));
  const CliResult r = RunCli({"add-keyword", city.string(), "аптека"}, prefix);
  fs::permissions(city, fs::perms(0755));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "count\t2\nаптека\nбанк\n");
  EXPECT_NE(r.err.find("message\tНе удалось сохранить список ключевых слов в файл \"" + (city / "Kw.map").string() +
                       "\": нет прав на запись в папку города"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(ReadBytes(city / "Kw.map"), W("банк\r\n"));
  EXPECT_FALSE(fs::exists(city / "Kw.map.tmp"));
}

}  // namespace
