#pragma once
// Numbers held in table cells as decimal text.  The loaders store only
// integers there; a cell that is not one stops the drawing with a message that
// names the table, the row and the column.
#include <QPoint>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mapdata/LayerTable.h"

// An optional minus sign and decimal digits, within 32 bits, nothing else.
bool ParseInt32(std::string_view text, int32_t& value);

// The integer in cell `cell` of a row (kCaption: the caption); throws
// std::runtime_error when it is not one.
int32_t CellInt(const LayerTable& table, int row, int cell);

// Message for a cell that should hold an integer (UTF-8).
std::string BadIntegerMessage(const LayerTable& table, int row, int cell);
// Message for a point list that holds fewer pairs than its count says (UTF-8).
std::string BadPointsMessage(const LayerTable& table, int row, int cell);

// Most points a record holds; a longer list is read up to this many.
constexpr int MaxRowPoints = 150;

// Reads `count` x, y pairs of a point list (decimal integers, one space between
// numbers; the last y may end the text or be followed by a space or CR), at
// most MaxRowPoints of them, appending them to `points`.  False when the text
// holds fewer pairs or a number is malformed.
bool ReadPointPairs(std::string_view text, int count, std::vector<QPoint>& points);
