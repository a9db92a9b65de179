#pragma once
#include <string>

// The progress panel of the city-selection window: the loaders set it and the
// city window shows it at every repaint.  A position is clamped to its range,
// as a progress bar does.
struct LoadProgress {
  int Progress1Max = 10;
  int Progress1Position = 0;
  int Progress2Max = 12;
  int Progress2Position = 0;
  std::string LoadLabel = "***";  // UTF-8

  void SetProgress1(int max, int position) {
    Progress1Max = max;
    Progress1Position = position < 0 ? 0 : (position > max ? max : position);
  }
  void SetProgress2(int position) {
    Progress2Position = position < 0 ? 0 : (position > Progress2Max ? Progress2Max : position);
  }
};
