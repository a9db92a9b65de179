// The progress panel is repainted when what it shows changes visibly, not for
// every record of a load.
#include <gtest/gtest.h>

#include "shell/ProgressPacing.h"

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

struct PacedLoad {
  const char* Name;
  int Records;
  microseconds PerRecord;  // time the loader spends on one record
  int BarWidth;
  int MostRepaints;  // the step's first repaint included
  int LeastRepaints;
};

TEST(ProgressPacing, ARecordRepaintsOnlyWhenTheBarMovesAndNotTwiceIn50Ms) {
  const PacedLoad cases[] = {
      // Fast records: the 50 ms gap bounds the repaints (3 s of loading).
      {"fast records", 60000, microseconds(50), 900, 3000 / 50 + 1, 3000 / 50 / 2},
      // Slow records: the bar's pixels bound them (a repaint per pixel at most).
      {"slow records", 2000, milliseconds(100), 300, 300 + 1, 300 / 2},
      // Fewer records than pixels, slow: each record moves the bar.
      {"few slow records", 40, milliseconds(60), 900, 40, 40},
  };
  for (const PacedLoad& c : cases) {
    SCOPED_TRACE(c.Name);
    ProgressPacing pacing;
    LoadProgress progress;
    progress.LoadLabel = "Здания...";
    progress.SetProgress2(3);
    ProgressPacing::Clock::time_point now{};
    int repaints = 0;
    for (int i = 0; i < c.Records; ++i) {
      progress.SetProgress1(c.Records, i);
      repaints += pacing.Due(progress, c.BarWidth, now);
      now += c.PerRecord;
    }
    EXPECT_LE(repaints, c.MostRepaints);
    EXPECT_GE(repaints, c.LeastRepaints);
  }
}

TEST(ProgressPacing, ANewStepOrLabelIsShownAtOnce) {
  ProgressPacing pacing;
  LoadProgress progress;
  const ProgressPacing::Clock::time_point now{};
  progress.LoadLabel = "Иконки...";
  progress.SetProgress2(1);
  EXPECT_TRUE(pacing.Due(progress, 500, now));
  EXPECT_FALSE(pacing.Due(progress, 500, now));  // nothing changed
  progress.SetProgress2(2);
  progress.LoadLabel = "Фирмы...";
  EXPECT_TRUE(pacing.Due(progress, 500, now));  // within the same millisecond
  progress.LoadLabel = "Инициализация...";
  EXPECT_TRUE(pacing.Due(progress, 500, now));
  progress.SetProgress1(100, 1);  // a new record count: another layer
  EXPECT_TRUE(pacing.Due(progress, 500, now));
  progress.SetProgress1(100, 2);  // a pixel's move, but too soon
  EXPECT_FALSE(pacing.Due(progress, 500, now + milliseconds(10)));
  EXPECT_TRUE(pacing.Due(progress, 500, now + milliseconds(50)));
}

}  // namespace
