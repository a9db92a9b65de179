#include "view/ViewScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "render/ViewTransform.h"
#include "render/VisibleMiddle.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"

namespace {

void RedrawAndPaint(MapCore& core) {
  core.Interaction.HintVisible = false;
  RedrawView(core);
  core.Host.PaintMapWindow();
}

}  // namespace

void SetViewScale(MapCore& core, float scale) {
  core.View.Scale = scale;
  RecentreOffsets(core.View);
  RedrawAndPaint(core);
}

void ZoomInVisibleMiddle(MapCore& core, float scale) {
  ZoomKeepingWindowPoint(core.View, VisibleMapCentre(core.Host.VisibleMapRect()), scale);
  CentreFromOffsets(core.View);
  RedrawAndPaint(core);
}

void SetTrackBarPosition(MapCore& core, int position) {
  position = std::clamp(position, kTrackBarMin, kTrackBarMax);
  if (position == core.Ui.ZoomSliderPosition) return;
  core.Ui.ZoomSliderPosition = position;
  ZoomInVisibleMiddle(core, TrackBarPositionToScale(position));
}

void ApplyZoomSliderPosition(MapCore& core) { SetViewScale(core, TrackBarPositionToScale(core.Ui.ZoomSliderPosition)); }

void ShowScaleInZoomControls(MapCore& core) {
  core.Ui.WriteZoomEdit(ZoomFieldText(core.View.Scale));
  core.Ui.ZoomSliderPosition = std::clamp(ScaleToTrackBarPosition(core.View.Scale), kTrackBarMin, kTrackBarMax);
}

std::string ZoomFieldText(float scale) {
  // Tenths of a percent, rounded: a typed 100,5 is the float 1.00499999.
  const long double tenths = std::clamp(std::round(static_cast<long double>(scale) * 1000), 0.0L, 1.0e15L);
  const auto whole = static_cast<int64_t>(tenths / 10);
  const auto tenth = static_cast<int64_t>(tenths) % 10;
  return std::to_string(whole) + (tenth != 0 ? "," + std::to_string(tenth) : std::string()) + "%";
}

namespace {

// The largest scale at which `units` span at most `pixels` (infinite for none).
long double LengthScale(int64_t units, int pixels) {
  if (units <= 0) return std::numeric_limits<long double>::infinity();
  return std::max(pixels - 1, 0) / static_cast<long double>(units);
}

// One step in: the next track bar step, or below the first one the next
// halving of it above the scale.
float StepIn(float scale) {
  if (scale < kTrackBarMinScale) {
    float step = kTrackBarMinScale;
    while (step / 2 > scale && step / 2 > 0) step /= 2;
    return step;
  }
  const long double next = std::floor(static_cast<long double>(scale) * 2) + 1;
  return TrackBarPositionToScale(static_cast<int>(std::clamp<long double>(next, kTrackBarMin, kTrackBarMax)));
}

// One step out: the previous track bar step, below the first one the next
// halving under the scale, never below the floor.
float StepOut(float scale, float floor) {
  if (scale > kTrackBarMinScale) {
    const long double previous = std::ceil(static_cast<long double>(scale) * 2) - 1;
    return TrackBarPositionToScale(static_cast<int>(std::clamp<long double>(previous, kTrackBarMin, kTrackBarMax)));
  }
  if (scale <= floor) return scale;
  float step = kTrackBarMinScale;
  while (step >= scale) step /= 2;
  return std::max(step, floor);
}

}  // namespace

bool BoxFitsAt(const PointBox& box, float scale, int width, int height) {
  const long double w = int64_t{box.MaxX} - box.MinX, h = int64_t{box.MaxY} - box.MinY;
  return w * scale <= width - 1 && h * scale <= height - 1;
}

float WholeBoxScale(const PointBox& box, int width, int height) {
  const int64_t w = int64_t{box.MaxX} - box.MinX;
  const int64_t h = int64_t{box.MaxY} - box.MinY;
  const long double fit = std::min(LengthScale(w, width), LengthScale(h, height));
  float scale = static_cast<float>(std::min<long double>(fit, std::numeric_limits<float>::max()));
  // The float nearest the quotient may lie just above it.
  while (scale > kSmallestScale && !BoxFitsAt(box, scale, width, height))
    scale = std::nextafter(scale, 0.0f);
  return std::max(scale, kSmallestScale);
}

float ZoomFloor(const PointBox& city, int width, int height) {
  return std::min(kTrackBarMinScale, WholeBoxScale(city, width, height));
}

float StepScale(float scale, int steps, float floor) {
  // More steps than the whole range has change nothing more.
  constexpr int kMostSteps = 64;
  for (int i = 0; i < std::min(std::abs(steps), kMostSteps); ++i) {
    const float next = steps > 0 ? StepIn(scale) : StepOut(scale, floor);
    if (next == scale) break;
    scale = next;
  }
  return scale;
}
