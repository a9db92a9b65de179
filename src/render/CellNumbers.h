#pragma once
// Numbers held in table cells as decimal text (DecimalText.h).  The loaders
// store only integers there; a cell that is not one stops the drawing with a
// message that names the table, the row and the column.
#include <cstdint>
#include <string>

#include "mapdata/LayerTable.h"

// The integer in cell `cell` of a row (kCaption: the caption); throws
// std::runtime_error when it is not one.
int32_t CellInt(const LayerTable& table, int row, int cell);

// Message for a cell that should hold an integer (UTF-8).
std::string BadIntegerMessage(const LayerTable& table, int row, int cell);
// Message for a point list that holds fewer pairs than its count says (UTF-8).
std::string BadPointsMessage(const LayerTable& table, int row, int cell);
