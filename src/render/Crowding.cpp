#include "render/Crowding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void BoxGrid::Add(const QRect& box) {
  const auto index = static_cast<int32_t>(boxes_.size());
  boxes_.push_back(box);
  for (int cy = CellOf(box.top()); cy <= CellOf(box.bottom()); ++cy)
    for (int cx = CellOf(box.left()); cx <= CellOf(box.right()); ++cx) cells_[Key(cx, cy)].push_back(index);
}

double IconSpacing(float scale) {
  if (!(scale < 1.0f)) return 0;
  if (!(scale < kIconSpacingGrowsBelow)) return kIconSide;
  return kIconSide * std::sqrt(kIconSpacingGrowsBelow / std::max<double>(scale, 1e-6));
}

bool IconCoversMost(const QPoint& at, const QPoint& drawn) {
  const int64_t dx = std::abs(int64_t{at.x()} - drawn.x()), dy = std::abs(int64_t{at.y()} - drawn.y());
  if (dx >= kIconSide || dy >= kIconSide) return false;
  return 2 * (kIconSide - dx) * (kIconSide - dy) > kIconSide * kIconSide;
}

bool IconGivesWay(const Crowding& c, const QRect& box, float scale) {
  if (!c.GiveWay) return false;
  const double spacing = IconSpacing(scale);
  if (spacing <= 0)
    return c.Icons.Any(box, [&](const QRect& drawn) { return IconCoversMost(box.topLeft(), drawn.topLeft()); });
  // Centres closer than the spacing along both axes; the spacing is at least an icon's side.
  const int reach = static_cast<int>(std::ceil(spacing));
  const QRect near = box.adjusted(-reach, -reach, reach, reach);
  return c.Icons.Any(near, [&](const QRect& drawn) {
    return std::abs(double(box.x()) - drawn.x()) < spacing && std::abs(double(box.y()) - drawn.y()) < spacing;
  });
}
