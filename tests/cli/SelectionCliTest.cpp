// tellurin-cli render with a selection: the highlight in the image and the
// status bar on stdout.
#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/CityBuilder.h"

namespace {

class SelectionCli : public ::testing::Test {
 protected:
  SelectionCli() {
    city.About("Город");
    city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "0 100 200 100", 2, "4", "улица")});
  }
  CliResult Render(const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"render", city.CityDir().string(), "-o", Out(), "--screen", "200x150",
                                     "--center", "100,100"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }
  std::string Out() const { return (city.DataRoot() / "out.png").string(); }
  CityBuilder city;
};

TEST_F(SelectionCli, SelectedStreetIsGreenAndNamedInTheStatusBar) {
  const CliResult r = Render({"--select", "street:0"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "status\t0\t\nstatus\t1\tулица Ленина\nstatus\t2\t\n");
  const QImage window(QString::fromStdString(Out()));
  ASSERT_EQ(window.size(), QSize(200, 150));
  EXPECT_EQ(QColor(window.pixel(100, 75)), QColor(0, 255, 0));
}

TEST_F(SelectionCli, WithoutSelectionTheStatusBarIsEmptyAndTheStreetNotGreen) {
  const CliResult r = Render({});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "status\t0\t\nstatus\t1\t\nstatus\t2\t\n");
  EXPECT_NE(QColor(QImage(QString::fromStdString(Out())).pixel(100, 75)), QColor(0, 255, 0));
}

TEST_F(SelectionCli, HoverOverNothingPrintsNoHint) {
  const CliResult r = Render({"--hover", "5,5", "--click", "5,5"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.find("hint"), std::string::npos);
}

TEST_F(SelectionCli, RowOutsideTheTableIsRefused) {
  const CliResult r = Render({"--select", "street:3"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("ListOfStreets has no row 3"), std::string::npos) << r.err;
  const CliResult bad = Render({"--select", "house:1"});
  EXPECT_EQ(bad.exitCode, 2);
}

}  // namespace
