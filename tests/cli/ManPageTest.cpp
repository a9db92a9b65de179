// The manual page of tellurin-cli describes every command the tool knows.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliRun.h"
#include "support/TempDir.h"

namespace {

// The command names of `tellurin-cli --help`: the first word of each line
// indented by two spaces.
std::vector<std::string> CommandsOfHelp(const std::string& help) {
  std::vector<std::string> names;
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("  ", 0) == 0) names.push_back(line.substr(2, line.find(' ', 2) - 2));
  return names;
}

// A name as the page writes it: roff escapes a hyphen.
std::string Roff(std::string name) {
  for (size_t at = name.find('-'); at != std::string::npos; at = name.find('-', at + 2)) name.insert(at, "\\");
  return name;
}

}  // namespace

TEST(CliManPage, HasASynopsisLineAndASectionForEveryCommand) {
  const CliResult help = RunCli({"--help"});
  ASSERT_EQ(help.exitCode, 0);
  const std::vector<std::string> commands = CommandsOfHelp(help.out);
  ASSERT_GE(commands.size(), 6u) << help.out;
  const std::string page = ReadBytes(TELLURIN_CLI_MAN_PAGE);
  for (const std::string& c : commands) {
    EXPECT_NE(page.find("\n.B tellurin-cli " + Roff(c) + "\n"), std::string::npos) << "SYNOPSIS lacks " << c;
    EXPECT_NE(page.find("\n.SS " + Roff(c) + " "), std::string::npos) << "COMMANDS lacks a subsection for " << c;
  }
}
