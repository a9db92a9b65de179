// tellurin-cli render with a selection: the highlight in the image and the
// status bar on stdout.
#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/CityBuilder.h"
#include "mapdata/NativeName.h"
#include "support/StyleColours.h"

namespace {

class SelectionCli : public ::testing::Test {
 protected:
  SelectionCli() {
    city.About("Город");
    city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "0 100 200 100", 2, "4", "улица")});
  }
  CliResult Render(const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"render", NativeString(city.CityDir()), "-o", Out(), "--screen", "200x150",
                                     "--center", "100,100"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }
  std::string Out() const { return NativeString(city.DataRoot() / "out.png"); }
  CityBuilder city;
};

TEST_F(SelectionCli, SelectedStreetIsGreenAndNamedInTheStatusBar) {
  const CliResult r = Render({"--select", "street:0"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "status\t0\t\nstatus\t1\tулица Ленина\nstatus\t2\t\nview\t1\t100\t100\n");
  const QImage window(QString::fromStdString(Out()));
  ASSERT_EQ(window.size(), QSize(200, 150));
  EXPECT_EQ(QColor(window.pixel(100, 75)), mapstyle::SelectionGreen);
}

TEST_F(SelectionCli, WithoutSelectionTheStatusBarIsEmptyAndTheStreetNotGreen) {
  const CliResult r = Render({});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "status\t0\t\nstatus\t1\t\nstatus\t2\t\nview\t1\t100\t100\n");
  EXPECT_NE(QColor(QImage(QString::fromStdString(Out())).pixel(100, 75)), mapstyle::SelectionGreen);
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

// The ring around a selected object or firm fills the box (x - 14, y - 14) to
// (x + 14, y + 14) without its right and bottom edges: 28 pixels each way.
TEST_F(SelectionCli, TheRingOfAnObjectOrAFirmSpans28Pixels) {
  city.Plain("Data/Objects.txt", {{W("Школа"), W("Мира"), "3", W("Гимназия"), "80 90", "0"}});
  city.Raw("Firms/f.txt", PlainFirmBytes({W("Кафе"), W("Мира"), "5", "80 90", W("еда")}));
  for (const char* selection : {"object:0", "firm:0"}) {
    const CliResult r = Render({"--select", selection});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QImage window(QString::fromStdString(Out()));
    QRect ring;
    for (int y = 0; y < window.height(); ++y)
      for (int x = 0; x < window.width(); ++x) {
        const QColor c(window.pixel(x, y));
        if (c == mapstyle::SelectionRed || c == mapstyle::SelectionGreen) ring |= QRect(x, y, 1, 1);
      }
    // Map (80, 90) is window (80, 65).
    EXPECT_EQ(ring, QRect(QPoint(80 - 14, 65 - 14), QPoint(80 + 13, 65 + 13))) << selection;
  }
}

// --found-firms searches as the firm search does with all three boxes ticked
// and draws the found firms, which a hover and a click then reach.
TEST_F(SelectionCli, FoundFirmsAreDrawnHoveredAndClicked) {
  city.Raw("Firms/f.txt", PlainFirmBytes({W("Кафе"), W("Мира"), "5", "130 80", W("еда")}));  // window (130, 55)
  city.Raw("Firms/g.txt", PlainFirmBytes({W("Банк"), W("Мира"), "7", "60 80", W("деньги")}));  // window (60, 55)
  const QColor pinHead(220, 40, 40), ringFill(0, 255, 0);
  const auto pixel = [this](int x, int y) { return QColor(QImage(QString::fromStdString(Out())).pixel(x, y)); };

  const CliResult bare = Render({"--hover", "130,55", "--click", "130,55"});
  ASSERT_EQ(bare.exitCode, 0) << bare.err;
  EXPECT_EQ(bare.out, "status\t0\t\nstatus\t1\t\nstatus\t2\t\nview\t1\t100\t100\n");
  EXPECT_NE(pixel(126, 52), pinHead);

  const CliResult found = Render({"--found-firms", "кафе", "--hover", "130,55", "--click", "130,55"});
  ASSERT_EQ(found.exitCode, 0) << found.err;
  EXPECT_EQ(found.out, "hint\tКафе\tМира 5\nstatus\t0\t\nstatus\t1\tКафе\nstatus\t2\tМира 5\nview\t1\t100\t100\n");
  EXPECT_EQ(pixel(126, 52), pinHead);  // the marker on the ring
  EXPECT_EQ(pixel(130 - 13, 55), ringFill);
  EXPECT_NE(pixel(56, 52), pinHead);

  // A click on the bank, which was not found, is a click on bare ground: it
  // clears the selection.
  const CliResult cleared =
      Render({"--found-firms", "кафе", "--click", "130,55", "--click", "60,55"});
  ASSERT_EQ(cleared.exitCode, 0) << cleared.err;
  EXPECT_EQ(cleared.out, "status\t0\t\nstatus\t1\t\nstatus\t2\t\nview\t1\t100\t100\n");
  EXPECT_NE(pixel(130 - 13, 55), ringFill);
}

}  // namespace
