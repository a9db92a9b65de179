// Where the cities come from: "Base" beside the executable, then the user's data
// folder, then the system's; the first city of a name wins.
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "mapdata/CityLocation.h"
#include "mapdata/NativeName.h"
#include "shell/AppIdentity.h"
#include "shell/CityList.h"
#include "shell/DataRoots.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

using Roots = std::vector<fs::path>;

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
    qputenv(name, QByteArray::fromStdString(value));
  }
  ~ScopedEnv() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

 private:
  const char* name_;
  QByteArray old_;
  bool had_;
};

void MakeCity(const fs::path& root, const std::string& name, const std::string& title) {
  WriteBytes(root / name / "Info" / "about.inf", title + "\r\n");
}

}  // namespace

TEST(DataRoots, OrderIsBesideTheExecutableThenTheUserThenTheSystemEachOnce) {
  struct Case {
    const char* what;
    fs::path beside, user;
    Roots system, expected;
  };
  const Case cases[] = {
      {"all three kinds", "/opt/t/bin/Base", "/home/u/.local/share/Tellurin/Tellurin/Base",
       {"/opt/t/share/tellurin/Base", "/usr/local/share/tellurin/Base", "/usr/share/tellurin/Base"},
       {"/opt/t/bin/Base", "/home/u/.local/share/Tellurin/Tellurin/Base", "/opt/t/share/tellurin/Base",
        "/usr/local/share/tellurin/Base", "/usr/share/tellurin/Base"}},
      {"the installation's folder is also a system data folder", "/usr/bin/Base", "/home/u/x/Base",
       {"/usr/share/tellurin/Base", "/usr/local/share/tellurin/Base", "/usr/share/tellurin/Base/"},
       {"/usr/bin/Base", "/home/u/x/Base", "/usr/share/tellurin/Base", "/usr/local/share/tellurin/Base"}},
      {"spellings of one folder count once", "/a/Base", "/a/./Base/", {"/a/b/../Base", "/s/Base"},
       {"/a/Base", "/s/Base"}},
      {"no system folders", "/a/Base", "/u/Base", {}, {"/a/Base", "/u/Base"}},
  };
  for (const Case& c : cases) EXPECT_EQ(OrderDataRoots(c.beside, c.user, c.system), c.expected) << c.what;
}

TEST(DataRoots, StandardRootsFollowTheDesktopsDataFolders) {
#ifdef _WIN32
  GTEST_SKIP() << "the XDG data folders are the Linux desktop's";
#endif
  TempDir dir;
  const fs::path home = dir.Path() / "home", a = dir.Path() / "a", b = dir.Path() / "b";
  ScopedEnv dataHome("XDG_DATA_HOME", NativeString(home));
  ScopedEnv dataDirs("XDG_DATA_DIRS", NativeString(a) + ":" + NativeString(b));

  const fs::path user = home / "Tellurin" / "Tellurin" / "Base";
  EXPECT_EQ(UserDataRoot(), user);
  // The tests' executable lies in no bin/ folder: no installation's folder.
  EXPECT_EQ(StandardDataRoots(), (Roots{ExecutableDir() / "Base", user, a / "tellurin" / "Base", b / "tellurin" / "Base"}));
}

// The user's cities are in the program's AppDataLocation (%APPDATA% on Windows),
// asked before or after the program names itself; asking leaves a caller's own
// names alone.
TEST(DataRoots, UserRootIsTheProgramsAppDataLocation) {
  const QString appName = QCoreApplication::applicationName(), orgName = QCoreApplication::organizationName();
  QCoreApplication::setApplicationName("Other");
  QCoreApplication::setOrganizationName("Someone");
  const fs::path before = UserDataRoot();
  EXPECT_EQ(QCoreApplication::applicationName(), "Other");
  EXPECT_EQ(QCoreApplication::organizationName(), "Someone");

  SetApplicationIdentity();
  const fs::path appData = PathFromQString(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  EXPECT_EQ(before, appData / "Base");
  EXPECT_EQ(UserDataRoot(), appData / "Base");
  EXPECT_EQ(appData.filename(), "Tellurin");
  QCoreApplication::setApplicationName(appName);
  QCoreApplication::setOrganizationName(orgName);
}

// The help names the user's cities' folder as each system's users write it;
// on this system the words, their variable filled in, lead to the folder the
// program uses (Qt's, with the desktop's defaults).
TEST(DataRoots, UserRootIsNamedAsItsSystemsUsersWriteIt) {
  EXPECT_EQ(UserDataRootWords(DesktopSystem::Linux), "~/.local/share/Tellurin/Tellurin/Base");
  EXPECT_EQ(UserDataRootWords(DesktopSystem::Windows), "%APPDATA%\\Tellurin\\Tellurin\\Base");

  ScopedEnv defaultDataHome("XDG_DATA_HOME", "");
  QString words = QString::fromStdString(UserDataRootWords(kThisSystem));
  words.replace("~", QDir::homePath()).replace("%APPDATA%", qEnvironmentVariable("APPDATA"));
  EXPECT_EQ(UserDataRoot(), PathFromQString(words));
}

TEST(DataRoots, CitiesOfAllRootsMergedByNameTheFirstOfANameWinning) {
  TempDir dir;
  const fs::path beside = dir.Path() / "bin" / "Base", user = dir.Path() / "user", system = dir.Path() / "system";
  MakeCity(beside, "Gamma", "Гамма");
  MakeCity(beside, "Alpha", "Альфа рядом с программой");
  MakeCity(user, "Alpha", "Альфа пользователя");
  MakeCity(user, "Delta", "Дельта");
  WriteBytes(user / "NoInfo" / "Data" / "Streets.txt", "");  // not a city
  MakeCity(system, "Beta", "Бета");
  MakeCity(system, "Delta", "Дельта системы");
  WriteBytes(system / "Plain.inf", "not a city");

  const std::vector<CityLocation> cities = FindCities({beside, user, dir.Path() / "missing", system});
  std::vector<std::pair<std::string, fs::path>> found;
  for (const CityLocation& c : cities) found.emplace_back(c.CityName, c.DataRoot);
  EXPECT_EQ(found, (std::vector<std::pair<std::string, fs::path>>{
                       {"Alpha", beside}, {"Beta", system}, {"Delta", user}, {"Gamma", beside}}));
}
