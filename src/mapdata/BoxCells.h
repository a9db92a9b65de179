#pragma once
// The cells that the loaders produce from a row's point cells.
#include <string>

#include "mapdata/LayerTable.h"
#include "mapdata/MapExtents.h"
#include "mapdata/PointList.h"

// Parses `count` pairs of `points`; a count or list that does not parse gives
// no points (loaders only add rows whose numbers were checked).
std::vector<MapPoint> PointsOfCells(const std::string& countText, const std::string& pointsText);
// Appends MinX, MinY, MaxX, MaxY of the points and widens the map extents.
void AppendBoxCells(MapExtents& extents, LayerRow& row, const std::vector<MapPoint>& points);
// Appends X and Y of the first pair of `pointsText` and widens the extents.
void AppendPointCells(MapExtents& extents, LayerRow& row, const std::string& pointsText);
