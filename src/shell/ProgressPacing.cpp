#include "shell/ProgressPacing.h"

bool ProgressPacing::Due(const LoadProgress& progress, int barWidth, Clock::time_point now) {
  const int64_t max = progress.Progress1Max;
  const int pixels = max > 0 ? static_cast<int>(int64_t{barWidth} * progress.Progress1Position / max) : 0;
  const Shown next{progress.LoadLabel, progress.Progress2Position, progress.Progress2Max, progress.Progress1Max,
                   pixels};
  const bool stepChanged = !shown_ || shown_->Label != next.Label || shown_->Step != next.Step ||
                           shown_->StepMax != next.StepMax || shown_->RecordMax != next.RecordMax;
  const bool barMoved = shown_ && shown_->RecordPixels != next.RecordPixels && now - shownAt_ >= kLeastGap;
  if (!stepChanged && !barMoved) return false;
  shown_ = next;
  shownAt_ = now;
  return true;
}
