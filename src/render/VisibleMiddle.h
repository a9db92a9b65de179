#pragma once
// The middle of the visible map, the one place every centring of the view aims
// at: the keyboard's zoom, the selections that move the view, "Центрировать
// здесь".  The visible map is the part of the window that shows the map (the
// map area less the tool bar and the side panels that are shown), in window
// pixels; the window shows the middle of the picture.
#include <QPoint>
#include <QRect>

#include "render/ViewState.h"
#include "render/ViewTransform.h"

// The middle of the visible map (the pixel left of and above the middle when
// a side has an even length).
QPoint VisibleMapCentre(const QRect& visible);

// Rounded down (not toward zero), so that a point lands on the pixel it falls
// in on either side of the picture's origin; held within the 32-bit range.
int32_t FloorToInt32(long double value);

// The scale becomes `scale`, the map point under window pixel `at` staying
// under it (to a fraction of a pixel); the caller sets the centre after.
void ZoomKeepingWindowPoint(ViewState& v, QPoint at, float scale);

// The offsets that bring picture point `at` (map units x Scale) to the middle
// of the visible map, the drag shift being 0; the scale and centre stay.
void PutPicturePointInMiddle(ViewState& v, const QRect& visible, HitPoint at);
