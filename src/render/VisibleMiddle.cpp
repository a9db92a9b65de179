#include "render/VisibleMiddle.h"

QPoint VisibleMapCentre(const QRect& visible) {
  return {visible.left() + (visible.width() - 1) / 2, visible.top() + (visible.height() - 1) / 2};
}

void PutPicturePointInMiddle(ViewState& v, const QRect& visible, HitPoint at) {
  // Window pixel x shows picture pixel x + OffsetX + ScreenWidth / 2.
  const QPoint middle = VisibleMapCentre(visible);
  v.OffsetX = TruncToInt32(static_cast<long double>(at.X) - middle.x() - v.ScreenWidth / 2);
  v.OffsetY = TruncToInt32(static_cast<long double>(at.Y) - middle.y() - v.ScreenHeight / 2);
}
