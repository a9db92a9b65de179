// import-osm's progress on standard error: asked for with --progress, one
// report a line, the steps in the import's order, the shares of the file read
// rising to 100%; the summary on stdout as without it.
#include <QtGlobal>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "cli/CliRun.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kTown = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "town.osm";

CliResult ImportTown(const fs::path& root, const std::vector<std::string>& extra = {}) {
  std::vector<std::string> args{"import-osm", NativeString(kTown), "--out", NativeString(root), "--name", "Город"};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunCli(args);
}

std::string WithRoot(std::string text, const fs::path& from, const fs::path& to) {
  const std::string a = CliPath(from), b = CliPath(to);
  for (size_t at = text.find(a); at != std::string::npos; at = text.find(a, at + b.size())) text.replace(at, a.size(), b);
  return text;
}

TEST(ImportProgressCli, ReportsRiseStepByStepOnStderrAndTheSummaryStays) {
  TempDir quietRoot, shownRoot;
  const CliResult quiet = ImportTown(quietRoot.Path());
  qputenv("TELLURIN_PROGRESS_INTERVAL_MS", "0");  // every report, however close
  const CliResult shown = ImportTown(shownRoot.Path(), {"--progress"});
  qunsetenv("TELLURIN_PROGRESS_INTERVAL_MS");
  ASSERT_EQ(quiet.exitCode, 0) << quiet.err;
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_EQ(quiet.err, "") << "stderr is no terminal here: no progress unless asked";
  EXPECT_EQ(WithRoot(shown.out, shownRoot.Path(), quietRoot.Path()), quiet.out);

  // "reading data 34%" for the steps that read the file, the step alone after.
  const std::regex report("(reading relations|reading data) (\\d+)%|assembling|writing|drawing|publishing");
  std::vector<std::string> steps;
  std::vector<int> shares;
  std::istringstream lines(shown.err);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, report)) << "\"" << line << "\" in\n" << shown.err;
    const std::string step = m[1].matched ? m[1].str() : line;
    const int share = m[2].matched ? std::stoi(m[2]) : -1;
    if (steps.empty() || steps.back() != step) {
      steps.push_back(step);
      EXPECT_TRUE(share <= 0) << line << ": a step starts at 0%";
    } else {
      EXPECT_GT(share, shares.back()) << line << ": a share only rises";
    }
    shares.push_back(share);
  }
  EXPECT_EQ(steps, (std::vector<std::string>{"reading relations", "reading data", "assembling", "writing", "drawing",
                                             "publishing"}))
      << shown.err;
  EXPECT_NE(shown.err.find("reading relations 100%\nreading data 0%\n"), std::string::npos) << shown.err;
  EXPECT_NE(shown.err.find("reading data 100%\nassembling\n"), std::string::npos) << shown.err;
}

}  // namespace
