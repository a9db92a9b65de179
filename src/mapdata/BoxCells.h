#pragma once
// The cells that the loaders produce from a row's point cells: the box of a
// shape (MinX, MinY, MaxX, MaxY) or the position of a point (X, Y).
#include <string>
#include <vector>

#include "mapdata/CityColumns.h"
#include "mapdata/LayerTable.h"
#include "mapdata/MapExtents.h"
#include "mapdata/PointList.h"

// Parses `count` pairs of `points`; a count or list that does not parse gives
// no points (loaders only add rows whose numbers were checked).
std::vector<MapPoint> PointsOfCells(const std::string& countText, const std::string& pointsText);
// Writes the box of the points into the row's box cells and widens the map extents.
void PutBoxCells(MapExtents& extents, LayerRow& row, const CellBox& box, const std::vector<MapPoint>& points);
// Writes X and Y of the first pair of `pointsText` into the row's point cells
// (box.MinX, box.MinY) and widens the extents.
void PutPointCells(MapExtents& extents, LayerRow& row, const CellBox& point, const std::string& pointsText);
