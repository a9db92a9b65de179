#pragma once
// Lines and outlines whose ends lie far outside the picture.  Map coordinates
// fill 32 bits, so at a large scale their pixels do not fit the painter's 32-bit
// integers, and the painter loses precision long before that.  What reaches the
// painter is therefore cut, in exact arithmetic, at a frame far outside the
// picture: the part inside keeps its pixels, so a line is drawn where it lies
// whatever its ends.  Anything wholly inside the frame (every ordinary map) is
// handed over unchanged.
#include <QPoint>

#include <cstdint>
#include <functional>

#include "render/PicturePixel.h"

// Half the side of the frame around the picture's origin: far beyond any
// picture and any pen, well within what the painter draws exactly.
constexpr int64_t kPixelFrame = int64_t{1} << 22;

bool InsideFrame(const PicturePixel& p);

using DrawPoints = std::function<void(const QPoint* points, int count)>;

// The polyline as runs of painter points, each run inside the frame (one run
// when the polyline lies inside it).
void FramePolyline(const PicturePixel* points, int count, const DrawPoints& drawRun);
// The polygon cut to the frame; its fill inside the frame is unchanged.
void FramePolygon(const PicturePixel* points, int count, const DrawPoints& draw);
