#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "shell/DataRoots.h"

// import-osm's help names the default data root as this system's users write
// it, and not another system's.
TEST(ImportHelpCli, NamesThisSystemsDataRoot) {
  const CliResult help = RunCli({"import-osm", "--help"});
  ASSERT_EQ(help.exitCode, 0);
  const DesktopSystem other = kThisSystem == DesktopSystem::Linux ? DesktopSystem::Windows : DesktopSystem::Linux;
  EXPECT_NE(help.out.find("cities the viewer lists: " + UserDataRootWords(kThisSystem) + ")\n"), std::string::npos)
      << help.out;
  EXPECT_EQ(help.out.find(UserDataRootWords(other)), std::string::npos);
}
