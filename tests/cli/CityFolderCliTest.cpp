// What every command that takes a CITY_DIR does with a folder it cannot take:
// one that is not a city, one that cannot be read, a layer file that cannot be
// read.
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/CityBuilder.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"
#include "mapdata/NativeName.h"

namespace {

// Each command that takes a CITY_DIR, with `dir` in its place.
std::vector<std::vector<std::string>> CityCommands(const std::string& dir, const std::string& out) {
  return {{"dump", dir},         {"check", dir},        {"stats", dir},
          {"search", dir, "Мира"}, {"firms", dir, "Мира"}, {"render", dir, "-o", out},
          {"here", dir, "1,1"},   {"add-keyword", dir, "слово"}};
}

std::string Joined(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& a : args) text += a + " ";
  return text;
}

}  // namespace

TEST(CliCityFolder, AFolderWithoutAboutInfIsNotACity) {
  CityBuilder city("Город");
  city.Plain("Data/Streets.txt", {StreetRecord("Мира", "1 1", 1)});
  const std::string root = NativeString(city.DataRoot());
  const std::string out = NativeString(city.DataRoot() / "out.png");
  for (const std::vector<std::string>& args : CityCommands(root, out)) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << Joined(args);
    EXPECT_EQ(r.out, "") << Joined(args);
    EXPECT_EQ(r.err, "tellurin-cli: " + root + " не папка города: нет файла Info/about.inf\n") << Joined(args);
  }
  EXPECT_FALSE(fs::exists(city.DataRoot() / "Kw.map"));
  EXPECT_FALSE(fs::exists(out));
}

TEST(CliCityFolder, AFolderOrLayerFileThatCannotBeReadIsNamedWithExit1) {
  struct Case {
    const char* Locked;  // relative to the city folder, "" the folder itself
    std::string Said;    // on stderr
    std::string Checked;  // check's line, when it lists the problem
  };
  CityBuilder city("Город");
  const fs::path streets = city.Plain("Data/Streets.txt", {StreetRecord("Мира", "1 1", 1)});
  city.Raw("Firms/a.crpt", ScrambledFirmBytes({"A", "s", "1", "1 1", "k"}));
  const std::string dir = NativeString(city.CityDir());
  const std::vector<Case> cases{
      {"", "tellurin-cli: не удается прочитать папку города " + dir + "\n", ""},
      {"Data", "tellurin-cli: не удается прочитать папку " + NativeString(city.CityDir() / "Data") + "\n",
       "Data\t0\tпапка не читается\n"},
      {"Firms", "tellurin-cli: не удается прочитать папку " + NativeString(city.CityDir() / "Firms") + "\n",
       "Firms\t0\tпапка не читается\n"},
      {"Data/Streets.txt", "tellurin-cli: не удается прочитать файл " + NativeString(streets) + "\n",
       "Data/Streets.txt\t0\tфайл есть, но не открывается\n"},
  };
  TempDir outDir;
  const std::string out = NativeString(outDir.Path() / "out.png");
  std::vector<std::string> prefix;
  if (!PrefixAsNobody(city.CityDir() / "Data", prefix) || !PrefixAsNobody(city.CityDir() / "Firms", prefix) ||
      !PrefixAsNobody(outDir.Path(), prefix))
    GTEST_SKIP() << "setpriv is needed to drop root rights";
  fs::permissions(outDir.Path(), fs::perms::all);
  for (const Case& c : cases) {
    const fs::path locked = city.CityDir() / c.Locked;
    const fs::perms before = fs::status(locked).permissions();
    fs::permissions(locked, fs::perms::none);
    for (const std::vector<std::string>& args : CityCommands(dir, out)) {
      if (args[0] == "add-keyword") continue;  // reads no layer
      const CliResult r = RunCli(args, prefix);
      EXPECT_EQ(r.exitCode, 1) << c.Locked << ": " << Joined(args) << r.err;
      if (args[0] == "check" && !c.Checked.empty()) {
        EXPECT_EQ(r.out, c.Checked);
        continue;
      }
      EXPECT_NE(r.err.find(c.Said), std::string::npos) << c.Locked << ": " << Joined(args) << r.err;
      // The load behind the folder goes on as the viewer's: each layer says that its file does not open.
      if (args[0] == "dump" && c.Locked == std::string("Data")) {
        EXPECT_NE(r.err.find("message\tОтсутствует файл с улицами!\n"), std::string::npos) << r.err;
      }
    }
    fs::permissions(locked, before);
  }
}
