#include "shell/PanelFit.h"

#include <algorithm>

namespace {

// The room the panels take when none is wider than `cap`.
long long TakenUnder(SidePanelWidths wanted, int left, int rightCount, int cap) {
  return static_cast<long long>(left) * std::min(wanted.Left, cap) +
         static_cast<long long>(rightCount) * std::min(wanted.Right, cap);
}

}  // namespace

SidePanelWidths FitSidePanels(SidePanelWidths wanted, int left, int rightCount, int room) {
  const int widest = std::max(left > 0 ? wanted.Left : 0, rightCount > 0 ? wanted.Right : 0);
  if (TakenUnder(wanted, left, rightCount, widest) <= room) return wanted;
  // The largest cap that fits, found by halving its range; never below the
  // least width (a window too narrow even then leaves the map less).
  int fits = kLeastPanelWidth, over = widest;
  while (over - fits > 1) {
    const int cap = fits + (over - fits) / 2;
    (TakenUnder(wanted, left, rightCount, cap) <= room ? fits : over) = cap;
  }
  return {std::min(wanted.Left, fits), std::min(wanted.Right, fits)};
}
