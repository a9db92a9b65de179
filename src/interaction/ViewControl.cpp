#include "interaction/ViewControl.h"

#include <algorithm>
#include <cstdint>

#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "render/ViewTransform.h"
#include "state/MapCore.h"
#include "view/ViewScale.h"

namespace {

constexpr float kMaxScale = 15.0f;

}  // namespace

void SyncZoomSliderToScale(MapCore& core) { SetTrackBarPosition(core, ScaleToTrackBarPosition(core.View.Scale)); }

bool ApplyTypedZoom(MapCore& core, const std::string& text, float floor) {
  const std::optional<long double> value = ZoomFieldPercent(text);
  if (!value) return false;
  float scale = static_cast<float>(std::min(*value * 0.01L, 1.0e30L));
  if (scale < floor) scale = floor;
  if (scale > kMaxScale) scale = kMaxScale;
  // The track bar follows with the redraw, without its change handler (which
  // would snap the scale to its grid).
  ZoomInVisibleMiddle(core, scale);
  return true;
}

std::string ZoomEditErrorMessage(const std::string& text) {
  const std::string quoted = "«" + cp1251::ToUtf8(text) + "»";
  const size_t minus = text.find_first_not_of(' ');
  const bool negative = minus != std::string::npos && text[minus] == '-' && ZoomFieldPercent(text.substr(minus + 1));
  return quoted + (negative ? " — масштаб должен быть больше нуля." : " — не число.");
}
