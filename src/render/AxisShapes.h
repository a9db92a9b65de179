#pragma once
// Outlines and wide lines whose every edge runs along a pixel row or column,
// as the pixels the painter leaves for them: the blocks, buildings and streets
// of a planned city are mostly such.  Filling those pixels as
// rectangles gives the same picture at a fraction of the cost of stroking and
// rasterizing the shapes.
//
// The painter's rules they follow, with points on whole pixels:
// - a polygon whose edges run along rows and columns by turns, none empty,
//   filled and outlined with the one-pixel pen while the outline lies inside
//   the picture: the fill covers the pixels whose centres lie inside by the
//   odd-even rule (a rectangle from (x1, y1) to (x2, y2): x1 to x2 - 1 and
//   y1 to y2 - 1), the outline every pixel of every edge, corners included;
// - a line of a pen w pixels wide, round ends and joins, covers the pixels
//   whose centres lie within w / 2 of one of its edges, and on an edge's side
//   of the body exactly w / 2 away only below or right of the edge (checked
//   for w up to kWidestAxisPen; the painter's round ends grow uneven beyond);
// - a one-pixel polyline whose edges each run along a row or a column, none
//   shorter than two pixels, inside the picture: every pixel of every edge,
//   both ends included (the painter leaves out an end next to an empty or
//   one-pixel edge, and cuts lines at the picture's edge by rules of its own).
#include <QPoint>
#include <QRect>
#include <QVarLengthArray>

using PixelRects = QVarLengthArray<QRect, 64>;

// The pixels of the polygon's fill and of its one-pixel outline as
// rectangles, when its edges run along rows and columns by turns and none is
// empty (an even number of corners, four or more; the first may be repeated
// at the end); false (nothing added) for any other polygon.
bool AxisOutlineRects(const QPoint* points, int count, PixelRects& fill, PixelRects& outline);

constexpr int kWidestAxisPen = 20;

// The pixels of the polyline drawn with a pen `width` pixels wide (2 to
// kWidestAxisPen), round ends and joins, as rectangles; false (nothing added)
// when an edge runs neither along a row nor along a column or every point is
// the same.
bool AxisWideLineRects(const QPoint* points, int count, int width, PixelRects& out);

// The pixels of the one-pixel polyline as rectangles, every pixel of every
// edge from end to end, when every edge runs along a row or a column, none is
// empty (the painter's ends then fall elsewhere) and every point lies inside
// `picture`; false (nothing added) for any other.
bool AxisThinLineRects(const QPoint* points, int count, const QRect& picture, PixelRects& out);
