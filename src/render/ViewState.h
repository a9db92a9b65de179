#pragma once
#include <cstdint>

// The view: screen size, scale (pixels per map unit, 32-bit float), the offsets
// that turn scaled map coordinates into picture pixels, the drag shift of the
// visible window inside the picture, the centre and the drag anchors.
struct ViewState {
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;
  float Scale = 1.0f;
  int32_t OffsetX = 0;
  int32_t OffsetY = 0;
  int32_t DragShiftX = 0;
  int32_t DragShiftY = 0;
  int32_t CenterX = 0;
  int32_t CenterY = 0;
  int32_t DragAnchorX = 0;
  int32_t DragAnchorY = 0;
  int32_t DragShiftAnchorX = 0;
  int32_t DragShiftAnchorY = 0;
};

// Where the picture shows the map: scale and offsets, without the drag shift.
struct ViewPlace {
  float Scale = 0.0f;
  int32_t OffsetX = 0;
  int32_t OffsetY = 0;
  bool operator==(const ViewPlace&) const = default;
};

inline ViewPlace PlaceOf(const ViewState& v) { return {v.Scale, v.OffsetX, v.OffsetY}; }
