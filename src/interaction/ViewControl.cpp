#include "interaction/ViewControl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "render/RedrawView.h"
#include "render/ViewScale.h"
#include "render/ViewTransform.h"
#include "shell/MapCore.h"

namespace {

constexpr float kMinScale = 0.5f;
constexpr float kMaxScale = 15.0f;

}  // namespace

void Panel5Click(MapCore& core) { SetTrackBarPosition(core, ScaleToTrackBarPosition(core.View.Scale)); }

bool ZoomEditEnter(MapCore& core, const std::string& text) {
  const std::optional<long double> value = ZoomFieldDigits(text);
  if (!value) return false;
  float scale = static_cast<float>(std::min(*value * 0.01L, 1.0e30L));
  if (scale < kMinScale) scale = kMinScale;
  if (scale > kMaxScale) scale = kMaxScale;
  SetViewScale(core, scale);
  return true;
}

std::string ZoomEditErrorMessage(const std::string& text) {
  return "«" + cp1251::ToUtf8(text) + "» — не число.";
}

namespace {

// The track bar position `steps` away from the scale: from a scale between
// two positions the first step lands on the neighbouring one.
int WheelTarget(float scale, int steps) {
  const long double doubled = static_cast<long double>(scale) * 2;
  const long double base = steps > 0 ? std::floor(doubled) : std::ceil(doubled);
  return std::clamp(static_cast<int>(base) + steps, kTrackBarMin, kTrackBarMax);
}

// Rounded down, so that the point lands on the mouse's own pixel.
int32_t FloorToInt32(long double value) {
  return static_cast<int32_t>(std::clamp<long double>(std::floor(value), INT32_MIN, INT32_MAX));
}

}  // namespace

bool WheelZoom(MapCore& core, int steps, int32_t x, int32_t y) {
  if (steps == 0 || core.Interaction.Mode == InteractionMode::MapDrag) return false;
  ViewState& v = core.View;
  const int position = WheelTarget(v.Scale, steps);
  const float scale = TrackBarPositionToScale(position);
  if (scale == v.Scale) return false;

  // The map point under the mouse, kept there at the new scale.
  const HitPoint hit = WindowToHit(v, x, y);
  const long double mapX = hit.X / static_cast<long double>(v.Scale);
  const long double mapY = hit.Y / static_cast<long double>(v.Scale);
  v.Scale = scale;
  v.OffsetX = FloorToInt32(mapX * scale - x - v.ScreenWidth / 2);
  v.OffsetY = FloorToInt32(mapY * scale - y - v.ScreenHeight / 2);
  CentreFromOffsets(v);
  core.Ui.TrackBar1Position = position;
  core.Interaction.HintVisible = false;
  RedrawView(core);
  core.Host.PaintMapWindow();
  return true;
}
