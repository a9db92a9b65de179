#include "render/ViewTransform.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

int32_t TruncToInt32(long double value) {
  constexpr long double lo = std::numeric_limits<int32_t>::min();
  constexpr long double hi = std::numeric_limits<int32_t>::max();
  if (std::isnan(value)) return 0;
  if (value <= lo) return std::numeric_limits<int32_t>::min();
  if (value >= hi) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);  // truncates toward zero
}

namespace {

// Truncation toward zero within 64 bits; every scaled map coordinate fits.
int64_t TruncWide(long double value) {
  constexpr long double limit = static_cast<long double>(int64_t{1} << 62);
  if (std::isnan(value)) return 0;
  return static_cast<int64_t>(std::clamp(value, -limit, limit));
}

}  // namespace

int32_t ScaledTrunc(long double value, float scale) {
  return TruncToInt32(value * static_cast<long double>(scale));
}

PixelPoint MapToPicture(const ViewState& v, int32_t x, int32_t y) {
  const long double s = v.Scale;
  return {TruncToInt32(x * s - v.OffsetX), TruncToInt32(y * s - v.OffsetY)};
}

PicturePixel MapToPictureExact(const ViewState& v, int32_t x, int32_t y) {
  const long double s = v.Scale;
  return {TruncWide(x * s - v.OffsetX), TruncWide(y * s - v.OffsetY)};
}

namespace {

// The map coordinates whose pixel trunc(c × scale − offset) lies in
// [-margin, size + margin), widened by a unit on each side against rounding:
// trunc(v) >= -margin needs v > -margin - 1, and trunc(v) < size + margin
// needs v < size + margin.
bool MapRange(long double offset, long double scale, int size, long double margin, int32_t& lo, int32_t& hi) {
  if (!(scale > 0) || !std::isfinite(scale) || !std::isfinite(margin)) {
    lo = std::numeric_limits<int32_t>::min();
    hi = std::numeric_limits<int32_t>::max();
    return true;
  }
  constexpr long double kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
  const long double from = std::floor((offset - margin - 1) / scale) - 1;
  const long double to = std::ceil((size + margin + offset) / scale) + 1;
  if (from > kMax || to < kMin) return false;
  lo = static_cast<int32_t>(std::max(from, kMin));
  hi = static_cast<int32_t>(std::min(to, kMax));
  return true;
}

}  // namespace

std::optional<PointBox> MapAreaOfPicture(const ViewState& v, int width, int height, long double margin) {
  PointBox area;
  if (!MapRange(v.OffsetX, v.Scale, width, margin, area.MinX, area.MaxX) ||
      !MapRange(v.OffsetY, v.Scale, height, margin, area.MinY, area.MaxY))
    return std::nullopt;
  return area;
}

QRect VisiblePictureRect(const ViewState& v) {
  const int left = v.ScreenWidth / 2 + v.DragShiftX;
  const int top = v.ScreenHeight / 2 + v.DragShiftY;
  const int right = v.ScreenWidth + v.DragShiftX + v.ScreenWidth / 2;
  const int bottom = v.ScreenHeight + v.DragShiftY + v.ScreenHeight / 2;
  return QRect(left, top, right - left, bottom - top);
}

HitPoint WindowToHit(const ViewState& v, int32_t x, int32_t y) {
  return {int64_t{x} + v.OffsetX + v.ScreenWidth / 2, int64_t{y} + v.OffsetY + v.ScreenHeight / 2};
}

HitPoint MapToHit(int32_t x, int32_t y, float scale) {
  const long double s = scale;
  return {TruncWide(x * s), TruncWide(y * s)};
}

MapPoint HitToMap(HitPoint at, float scale) {
  const long double s = scale;
  return {TruncToInt32(at.X / s), TruncToInt32(at.Y / s)};
}

void PutMapPointAt(ViewState& v, int32_t x, int32_t y, int32_t px, int32_t py) {
  const long double s = v.Scale;
  v.OffsetX = TruncToInt32(x * s - px);
  v.OffsetY = TruncToInt32(y * s - py);
}

void RecentreOffsets(ViewState& v) { PutMapPointAt(v, v.CenterX, v.CenterY, v.ScreenWidth, v.ScreenHeight); }

void CentreFromOffsets(ViewState& v) {
  const long double s = v.Scale;
  v.CenterX = TruncToInt32((static_cast<long double>(v.OffsetX) + v.ScreenWidth) / s);
  v.CenterY = TruncToInt32((static_cast<long double>(v.OffsetY) + v.ScreenHeight) / s);
}

int ScaleToTrackBarPosition(float scale) {
  return TruncToInt32(static_cast<long double>(scale) * 100 * 0.02L);
}

float TrackBarPositionToScale(int position) {
  return static_cast<float>(position * 0.01L * 50);
}

std::string ZoomPercentText(float scale) {
  return std::to_string(TruncToInt32(static_cast<long double>(scale) * 100)) + "%";
}
