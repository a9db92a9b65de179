// tellurin-cli stats: the records per table, the time of every load step and
// the peak memory, one a line, in a fixed order.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "cli/CliRun.h"
#include "mapdata/Cp1251.h"
#include "support/CityBuilder.h"
#include "mapdata/NativeName.h"

TEST(CliStats, PrintsRecordsStepTimesAndPeakMemory) {
  CityBuilder city("Малый");
  city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "10 20 30 40", 2, "5", "Улица")});
  city.Plain("Data/Buildings.txt", {{W("Ленина"), "1", " ", "2", "10 20 30 40"}, {W("Ленина"), "3", " ", "1", "5 5"}});
  city.Plain("Data/Texts.txt", {{W("Центр"), "2", "-5 7"}});
  city.Raw("Firms/f.crpt", ScrambledFirmBytes({W("Кафе"), W("Мира"), "4", "1 1", W("еда")}));

  const CliResult r = RunCli({"stats", NativeString(city.CityDir())});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  std::vector<std::string> shape;  // each line with its number replaced by N
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_TRUE(std::regex_match(line, std::regex("[a-z-]+(\t[A-Za-z0-9]+)?\t[0-9]+(\\.[0-9])?"))) << line;
    shape.push_back(std::regex_replace(line, std::regex("\t[0-9.]+$"), "\tN"));
  }
  const std::vector<std::string> expected{
      "records\tListOfStreets\tN", "records\tListOfBuildings\tN", "records\tListOfRegions\tN",
      "records\tListOfTexts\tN",   "records\tListOfObjects\tN",   "records\tListOfFirms\tN",
      "records\tListOfPath1\tN",   "records\tListOfPath2\tN",     "records\tListView1\tN",
      "records\tDrawListView\tN",  "time\tLoadObjectIcons\tN",    "time\tLoadFirms\tN",
      "time\tLoadBuildings\tN",    "time\tLoadStreets\tN",        "time\tLoadRoutes\tN",
      "time\tLoadLabels\tN",       "time\tLoadRegions\tN",        "time\tLoadObjects\tN",
      "time\tLoadKeywords\tN",     "time\tFillSearchList\tN",     "time\tBuildDrawList\tN",
      "time\tRedrawView\tN",       "time\tLoadCity\tN",           "peak-memory\tN"};
  EXPECT_EQ(shape, expected);
  for (const char* count : {"records\tListOfStreets\t1\n", "records\tListOfBuildings\t2\n", "records\tListOfTexts\t1\n",
                            "records\tListOfFirms\t1\n", "records\tListView1\t4\n", "records\tDrawListView\t5\n"})
    EXPECT_NE(r.out.find(count), std::string::npos) << count;

  EXPECT_EQ(RunCli({"stats"}).exitCode, 2);
  EXPECT_EQ(RunCli({"stats", NativeString(city.CityDir() / "none")}).exitCode, 2);
  const CliResult help = RunCli({"stats", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: tellurin-cli stats CITY_DIR\n", 0), 0u);
}
