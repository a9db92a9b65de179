#pragma once
// The cells that the loaders produce from a row's point cells: the box of a
// shape (MinX, MinY, MaxX, MaxY) or the position of a point (X, Y).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mapdata/CityColumns.h"
#include "mapdata/DecimalText.h"
#include "mapdata/LayerTable.h"
#include "mapdata/MapExtents.h"
#include "mapdata/PointList.h"

// The four box cells of a row, as text.
struct BoxText {
  explicit BoxText(const PointBox& box) : MinX(box.MinX), MinY(box.MinY), MaxX(box.MaxX), MaxY(box.MaxY) {}
  NumberText MinX, MinY, MaxX, MaxY;
};

// The box of a record's points; the map extents are widened by it.
PointBox WidenByBox(MapExtents& extents, const std::vector<MapPoint>& points);
// The first of a record's points (the origin when it has none); the map extents
// are widened by it.
MapPoint WidenByPoint(MapExtents& extents, const std::vector<MapPoint>& points);

// Parses `count` pairs of `points`; a count or list that does not parse gives
// no points (loaders only add rows whose numbers were checked).
std::vector<MapPoint> PointsOfCells(std::string_view countText, std::string_view pointsText);
// Writes the box of the points into a draft row's box cells and widens the map extents.
void PutBoxCells(MapExtents& extents, RowDraft& row, const CellBox& box, const std::vector<MapPoint>& points);
