#include "render/VisibleMiddle.h"

#include <algorithm>
#include <cmath>
#include <limits>

int32_t FloorToInt32(long double value) {
  constexpr long double lo = std::numeric_limits<int32_t>::min();
  constexpr long double hi = std::numeric_limits<int32_t>::max();
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(std::clamp<long double>(std::floor(value), lo, hi));
}

QPoint VisibleMapCentre(const QRect& visible) {
  return {visible.left() + (visible.width() - 1) / 2, visible.top() + (visible.height() - 1) / 2};
}

void PutPicturePointInMiddle(ViewState& v, const QRect& visible, HitPoint at) {
  // Window pixel x shows picture pixel x + OffsetX + ScreenWidth / 2.
  const QPoint middle = VisibleMapCentre(visible);
  v.OffsetX = TruncToInt32(static_cast<long double>(at.X) - middle.x() - v.ScreenWidth / 2);
  v.OffsetY = TruncToInt32(static_cast<long double>(at.Y) - middle.y() - v.ScreenHeight / 2);
}

void ZoomKeepingWindowPoint(ViewState& v, QPoint at, float scale) {
  const HitPoint hit = WindowToHit(v, at.x(), at.y());
  const long double mapX = hit.X / static_cast<long double>(v.Scale);
  const long double mapY = hit.Y / static_cast<long double>(v.Scale);
  v.Scale = scale;
  v.OffsetX = FloorToInt32(mapX * scale - at.x() - v.ScreenWidth / 2);
  v.OffsetY = FloorToInt32(mapY * scale - at.y() - v.ScreenHeight / 2);
}
