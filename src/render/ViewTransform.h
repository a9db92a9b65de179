#pragma once
// The transforms between map units, picture pixels and window pixels: every
// step of the drawing, the selection, the hit test and the zoom goes through
// these.  Scale is a 32-bit float; every product is formed in long double from
// it and truncated toward zero once, at the end.
#include <QRect>

#include <cstdint>
#include <optional>
#include <string>

#include "mapdata/PointList.h"
#include "render/PicturePixel.h"
#include "render/ViewState.h"

struct PixelPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Truncation toward zero, held within the 32-bit range (NaN: 0).
int32_t TruncToInt32(long double value);

// trunc(value × Scale) for a map-unit length, a pen width or a factor
// (1.3 × Scale); saturates instead of overflowing on absurd values.
int32_t ScaledTrunc(long double value, float scale);

// Map point to picture pixel: trunc(x × Scale − OffsetX), trunc(y × Scale − OffsetY),
// held within 32 bits: enough for a point (beyond them it is far off the picture).
PixelPoint MapToPicture(const ViewState& v, int32_t x, int32_t y);
// The same, exact: for the ends of lines and outlines, whose course between two
// far points must not change (PixelFrame.h).
PicturePixel MapToPictureExact(const ViewState& v, int32_t x, int32_t y);

// The map-unit box around every map point whose picture pixel lies within
// `margin` pixels of a width x height picture (pixels -margin to
// width + margin - 1 across): rows whose boxes miss it cannot reach the
// picture with a reach of `margin` pixels.  None when no 32-bit point can.
std::optional<PointBox> MapAreaOfPicture(const ViewState& v, int width, int height, long double margin);

// The picture rectangle the window shows (left, top, width ScreenWidth, height
// ScreenHeight), moved by the drag shift.
QRect VisiblePictureRect(const ViewState& v);

// A window pixel in hit-test units: map coordinates times Scale.
struct HitPoint {
  int64_t X = 0;
  int64_t Y = 0;
};

// Window pixel to hit-test units: x + OffsetX + ScreenWidth/2, y + OffsetY +
// ScreenHeight/2 (no drag shift: it is 0 whenever the mouse is read there).
HitPoint WindowToHit(const ViewState& v, int32_t x, int32_t y);
// A map point in hit-test units at `scale`: trunc(x × Scale), trunc(y × Scale).
HitPoint MapToHit(int32_t x, int32_t y, float scale);
// The map point a hit point lies in: trunc(hx / Scale), trunc(hy / Scale).
MapPoint HitToMap(HitPoint at, float scale);

// The offsets that put map point (x, y) at picture pixel (px, py):
// trunc(x × Scale − px), trunc(y × Scale − py).
void PutMapPointAt(ViewState& v, int32_t x, int32_t y, int32_t px, int32_t py);

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
