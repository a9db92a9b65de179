#pragma once
// When the progress panel of a load is worth repainting.  The loaders report
// progress before every record; repainting the panel (the splash picture
// scaled to the window) for each of them would cost more than the load itself.
// The panel is repainted when a step begins or its label changes, and when the
// record bar would move by a pixel, but then at most every 50 ms.
#include <chrono>
#include <optional>
#include <string>

#include "mapdata/LoadProgress.h"

class ProgressPacing {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kLeastGap{50};

  // True when `progress`, shown on bars `barWidth` pixels wide, is to be
  // repainted at `now`; what it lets through counts as shown from then on.
  bool Due(const LoadProgress& progress, int barWidth, Clock::time_point now);

 private:
  struct Shown {
    std::string Label;
    int Step = 0, StepMax = 0;
    int RecordMax = 0, RecordPixels = 0;
  };
  std::optional<Shown> shown_;
  Clock::time_point shownAt_;
};
