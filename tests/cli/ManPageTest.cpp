// The manual page of tellurin-cli and the help describe every command and
// option the tool knows, and the page is well formed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "cli/CliRun.h"
#include "mapdata/CityTables.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
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

// The `--word` options of a text, in order, each once.
std::vector<std::string> OptionsIn(const std::string& text) {
  std::vector<std::string> options;
  for (size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
    size_t end = at + 2;
    while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-')) ++end;
    const std::string option = text.substr(at, end - at);
    if (option.size() > 2 && std::find(options.begin(), options.end(), option) == options.end())
      options.push_back(option);
    at = end - 2;
  }
  return options;
}

// The line of `tellurin-cli --help` for `command`.
std::string HelpLineOf(const std::string& help, const std::string& command) {
  const size_t at = help.find("\n  " + command + " ");
  return at == std::string::npos ? std::string() : help.substr(at + 1, help.find('\n', at + 1) - at - 1);
}

// The page's subsection of `command`, up to the next one.
std::string SectionOf(const std::string& page, const std::string& command) {
  const size_t at = page.find("\n.SS " + Roff(command) + " ");
  if (at == std::string::npos) return {};
  const size_t next = page.find("\n.S", at + 1);
  return page.substr(at, next == std::string::npos ? std::string::npos : next - at);
}

// What is wrong with the page's blocks: a .nf or .RS left open at the next
// heading or at the end, or a close without an open.
std::string UnbalancedBlock(const std::string& page) {
  int noFill = 0, indent = 0, lineNumber = 0;
  std::istringstream lines(page);
  for (std::string line; std::getline(lines, line);) {
    ++lineNumber;
    const std::string where = " at line " + std::to_string(lineNumber);
    const std::string request = line.substr(0, line.find(' '));
    if (request == ".nf" || request == ".EX") {
      if (noFill++) return "a block opened again" + where;
    } else if (request == ".fi" || request == ".EE") {
      if (noFill-- == 0) return "a block closed that was not open" + where;
    } else if (request == ".RS") {
      ++indent;
    } else if (request == ".RE") {
      if (indent-- == 0) return "an indent closed that was not open" + where;
    } else if ((request == ".SH" || request == ".SS" || request == ".PP" || request == ".TP") && (noFill || indent)) {
      if (noFill || request != ".PP") return "a block or indent still open" + where;
    }
  }
  return noFill || indent ? "a block or indent still open at the end" : "";
}

// The first of `names` that `text` does not name after the one before it;
// empty when it names them all in that order.
std::string FirstMissing(const std::string& text, const std::vector<std::string>& names) {
  size_t at = 0;
  for (const std::string& name : names) {
    at = text.find(name, at);
    if (at == std::string::npos) return name;
    at += name.size();
  }
  return {};
}

}  // namespace

TEST(CliManPage, HasASynopsisLineAndASectionForEveryCommand) {
  const CliResult help = RunCli({"--help"});
  ASSERT_EQ(help.exitCode, 0);
  const std::vector<std::string> commands = CommandsOfHelp(help.out);
  ASSERT_GE(commands.size(), 6u) << help.out;
  const std::string page = ReadBytes(TELLURIN_CLI_MAN_PAGE_BUILT);
  for (const std::string& c : commands) {
    EXPECT_NE(page.find("\n.B tellurin-cli " + Roff(c) + "\n"), std::string::npos) << "SYNOPSIS lacks " << c;
    EXPECT_NE(page.find("\n.SS " + Roff(c) + " "), std::string::npos) << "COMMANDS lacks a subsection for " << c;
  }
}

TEST(CliManPage, EveryOptionOfEveryCommandIsInTheHelpAndOnThePage) {
  const CliResult help = RunCli({"--help"});
  ASSERT_EQ(help.exitCode, 0);
  const std::string page = ReadBytes(TELLURIN_CLI_MAN_PAGE_BUILT);
  for (const std::string& command : CommandsOfHelp(help.out)) {
    const CliResult usage = RunCli({command});  // a wrong call prints the command's usage
    ASSERT_EQ(usage.exitCode, 2) << command;
    const CliResult own = RunCli({command, "--help"});
    const std::string line = HelpLineOf(help.out, command), section = SectionOf(page, command);
    const std::string ownUsage = own.out.substr(0, own.out.find("\n", own.out.find("\n") + 1));
    for (const std::string& option : OptionsIn(usage.err)) {
      EXPECT_NE(line.find(option), std::string::npos) << "tellurin-cli --help lacks " << command << " " << option;
      EXPECT_NE(own.out.find(option), std::string::npos) << command << " --help lacks " << option;
      EXPECT_NE(section.find(Roff(option)), std::string::npos) << "the page's " << command << " lacks " << option;
    }
  }
}

TEST(CliManPage, BlocksAreClosedAndTheDemoCitiesLieUnderThePrefix) {
  const std::string page = ReadBytes(TELLURIN_CLI_MAN_PAGE_BUILT);
  EXPECT_EQ(UnbalancedBlock(page), "");
  EXPECT_EQ(page.find("@"), std::string::npos) << "a value left unconfigured";
  const std::string demo = TELLURIN_DEMO_CITIES_DIR;
  EXPECT_NE(page.find("\n.IR " + demo + "/ ,\n"), std::string::npos) << demo;
  EXPECT_NE(page.find("tellurin-cli dump " + demo + "/"), std::string::npos) << demo;
  if (demo.rfind("/usr/share/", 0) != 0) {
    EXPECT_EQ(page.find("/usr/share/tellurin"), std::string::npos);
  }
}

TEST(CliManPage, ExitCodesOfTheHelpAreThoseOfThePage) {
  struct Case {
    const char* Command;
    const char* Said;  // in its --help, as its section on the page says it
  };
  const Case cases[] = {
      {"import-osm", "2: a wrong call or a city of that name already there without --replace"},
      {"dump", "2 for a wrong call or a CITY_DIR that is not a city folder"},
      {"check", "1 when it or a layer file cannot be read"},
  };
  for (const Case& c : cases) {
    const CliResult own = RunCli({c.Command, "--help"});
    std::string text = own.out;
    std::replace(text.begin(), text.end(), '\n', ' ');
    EXPECT_NE(text.find(c.Said), std::string::npos) << c.Command << ":\n" << own.out;
  }
}

// The page lists in words what the help builds from the registry: the tables
// a city's files fill (dump, stats) and the steps that read the layers (stats),
// in the order the commands print them.
TEST(CliManPage, DumpAndStatsNameEveryDataTableAndLayerStepInOrder) {
  const CityTables city;
  std::vector<std::string> tables;
  for (const LayerTable* table : city.DataTables()) tables.push_back(table->Name());
  std::vector<std::string> steps;
  for (const LayerReading* reading : LayerReadings()) steps.push_back(reading->Timed);
  const std::string page = ReadBytes(TELLURIN_CLI_MAN_PAGE_BUILT);
  struct Case {
    const char* Command;
    const std::vector<std::string>& Names;
  };
  for (const Case& c : {Case{"dump", tables}, Case{"stats", tables}, Case{"stats", steps}}) {
    const std::string missing = FirstMissing(SectionOf(page, c.Command), c.Names);
    EXPECT_TRUE(missing.empty()) << "tellurin-cli(1), section " << c.Command << ", does not name " << missing
                                 << " where it lists them";
  }
}
