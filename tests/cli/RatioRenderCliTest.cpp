// tellurin-cli render --ratio on a demo city: the view of a screen at 150% or
// 200% drawn at the device's pixels, the PNG that many times larger, its
// detail finer than the view's pixels (not the 100% picture enlarged) and,
// brought back to the view's size, the 100% picture; --ratio 1 is the
// picture as it always was.
#include <QImage>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "support/DemoCities.h"
#include "support/DevicePixels.h"
#include "support/TempDir.h"

namespace {

class RatioRenderCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempDir;
    const GeneratorRun run = RunDemoGenerator({"--out", QString::fromStdString(NativeString(root_->Path()))});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
  }
  static void TearDownTestSuite() { delete root_; }

  // The whole demo city on a 320 x 240 screen.
  static QImage Render(const std::vector<std::string>& extra) {
    const std::string out = NativeString(root_->Path() / "out.png");
    std::vector<std::string> args = {"render", NativeString(root_->Path() / NativePath(kPlainDemoCity)), "-o", out,
                                      "--screen", "320x240", "--whole-city"};
    args.insert(args.end(), extra.begin(), extra.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return QImage(QString::fromStdString(out));
  }

  static TempDir* root_;
};

TempDir* RatioRenderCli::root_ = nullptr;

TEST_F(RatioRenderCli, DrawsTheViewAtTheDevicesPixels) {
  struct Case {
    std::vector<std::string> Args;
    QSize Size;
    int Block;  // the side of the aligned blocks a doubled picture would fill, 0 when none
  };
  const std::vector<Case> cases{
      {{"--ratio", "2"}, {640, 480}, 2},
      {{"--ratio", "2", "--picture"}, {1280, 960}, 2},
      {{"--ratio", "1.5"}, {480, 360}, 0},
      {{"--ratio", "2", "--select", "building:0", "--centre"}, {640, 480}, 2},
  };
  // Edges of text and icons differ in shade; the view moved by one pixel
  // would differ in twice as many pixels as the bound.
  for (const Case& c : cases) {
    std::vector<std::string> plain(c.Args.begin() + 2, c.Args.end());
    SCOPED_TRACE(c.Args[1] + (plain.empty() ? "" : " " + plain[0]));
    const QImage view = Render(plain);
    const QImage fine = Render(c.Args);
    ASSERT_EQ(fine.size(), c.Size);
    if (c.Block) EXPECT_GT(ShareOfMixedBlocks(fine, c.Block), 0.001) << "finer than the view's pixels";
    EXPECT_LT(ShareOfDifferentPixels(fine, view, 96), 0.05) << "the view's picture, only finer";
  }
  const QImage asAlways = Render({});
  EXPECT_EQ(Render({"--ratio", "1"}), asAlways);
  EXPECT_EQ(ShareOfMixedBlocks(asAlways.scaled(asAlways.size() * 2), 2), 0) << "a doubled picture has no detail";
}

}  // namespace
