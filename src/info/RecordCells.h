#pragma once
// Reading the cells of a table row the way the selection and the hit tests need
// them: numbers as integers, point lists as points.  Cells are text as the
// loaders stored it; a cell that is not a number reads as "no value" instead of
// failing, so that a bad record is simply not selected or hit.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "info/SelectionState.h"
#include "mapdata/LayerTable.h"

// A decimal integer: optional leading blanks, an optional sign, digits, nothing
// after them.  Out of the 32-bit range or anything else: no value.
std::optional<int32_t> ReadCellInt(std::string_view text);

// Reads up to `count` x, y pairs of a point list ("x1 y1 x2 y2 ..."), never more
// than MaxSelectionPoints, into `out`; returns how many complete pairs it read.
// Reading stops at the first number that is not an integer.
int ReadPoints(std::string_view text, int count, PointArray& out);
// The first point of a point list, when it has one.
std::optional<IntPoint> FirstPoint(std::string_view text);

// The number of points a record declares, kept within what the point arrays
// hold: absent or negative counts give 0, counts above MaxSelectionPoints give
// MaxSelectionPoints.
int DeclaredPointCount(std::string_view countCell);

// Truncation toward zero of a scaled value, held within the 32-bit range.
int32_t TruncToInt32(long double value);
