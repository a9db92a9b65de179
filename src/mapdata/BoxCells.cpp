#include "mapdata/BoxCells.h"

#include "mapdata/DecimalText.h"

PointBox WidenByBox(MapExtents& extents, const std::vector<MapPoint>& points) {
  const PointBox box = BoxOf(points);
  WidenMapExtents(extents, box.MinX, box.MinY, box.MaxX, box.MaxY);
  return box;
}

MapPoint WidenByPoint(MapExtents& extents, const std::vector<MapPoint>& points) {
  const MapPoint p = points.empty() ? MapPoint{} : points.front();
  WidenMapExtents(extents, p.X, p.Y, p.X, p.Y);
  return p;
}

std::vector<MapPoint> PointsOfCells(std::string_view countText, std::string_view pointsText) {
  int32_t count = 0;
  if (!ParseDecimalInt(countText, count)) return {};
  PointListResult parsed = ParsePointList(pointsText, count);
  return parsed.Ok() ? std::move(parsed.Points) : std::vector<MapPoint>{};
}

void PutBoxCells(MapExtents& extents, RowDraft& row, const CellBox& cells, const std::vector<MapPoint>& points) {
  const PointBox box = WidenByBox(extents, points);
  row.At(cells.MinX) = DecimalText(box.MinX);
  row.At(cells.MinY) = DecimalText(box.MinY);
  row.At(cells.MaxX) = DecimalText(box.MaxX);
  row.At(cells.MaxY) = DecimalText(box.MaxY);
}
