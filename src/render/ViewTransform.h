#pragma once
// The transforms between map units, picture pixels and window pixels.  Scale is
// a 32-bit float; every product is formed in long double from it and truncated
// toward zero once, at the end.
#include <QRect>

#include <cstdint>
#include <string>

#include "render/PicturePixel.h"
#include "render/ViewState.h"

struct PixelPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// trunc(value × Scale) for a map-unit length, a pen width or a factor
// (1.3 × Scale); saturates instead of overflowing on absurd values.
int32_t ScaledTrunc(long double value, float scale);

// Map point to picture pixel: trunc(x × Scale − OffsetX), trunc(y × Scale − OffsetY),
// held within 32 bits: enough for a point (beyond them it is far off the picture).
PixelPoint MapToPicture(const ViewState& v, int32_t x, int32_t y);
// The same, exact: for the ends of lines and outlines, whose course between two
// far points must not change (PixelFrame.h).
PicturePixel MapToPictureExact(const ViewState& v, int32_t x, int32_t y);

// The picture rectangle the window shows (left, top, width ScreenWidth, height
// ScreenHeight), moved by the drag shift.
QRect VisiblePictureRect(const ViewState& v);

// Window pixel to hit-test units (map coordinates times Scale).
PixelPoint WindowToHitUnits(const ViewState& v, int32_t sx, int32_t sy);

// Keep-centre recentring: puts (CenterX, CenterY) at picture pixel
// (ScreenWidth, ScreenHeight), the middle of the picture.
void RecentreOffsets(ViewState& v);

// The centre after a drag: the map point at the middle of the picture.
void CentreFromOffsets(ViewState& v);

// Track bar position for a scale, trunc(Scale × 100 × 0.02), and back (half the position).
int ScaleToTrackBarPosition(float scale);
float TrackBarPositionToScale(int position);

// ZoomEdit's display: trunc(Scale × 100) followed by "%".
std::string ZoomPercentText(float scale);
