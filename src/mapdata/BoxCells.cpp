#include "mapdata/BoxCells.h"

#include "mapdata/DecimalText.h"

std::vector<MapPoint> PointsOfCells(const std::string& countText, const std::string& pointsText) {
  int32_t count = 0;
  if (!ParseDecimalInt(countText, count)) return {};
  PointListResult parsed = ParsePointList(pointsText, count);
  return parsed.Ok() ? std::move(parsed.Points) : std::vector<MapPoint>{};
}

void PutBoxCells(MapExtents& extents, LayerRow& row, const CellBox& cells, const std::vector<MapPoint>& points) {
  const PointBox box = BoxOf(points);
  row.At(cells.MinX) = DecimalText(box.MinX);
  row.At(cells.MinY) = DecimalText(box.MinY);
  row.At(cells.MaxX) = DecimalText(box.MaxX);
  row.At(cells.MaxY) = DecimalText(box.MaxY);
  WidenMapExtents(extents, box.MinX, box.MinY, box.MaxX, box.MaxY);
}

void PutPointCells(MapExtents& extents, LayerRow& row, const CellBox& point, const std::string& pointsText) {
  const MapPoint p = FirstPoint(pointsText).value_or(MapPoint{});
  row.At(point.MinX) = DecimalText(p.X);
  row.At(point.MinY) = DecimalText(p.Y);
  WidenMapExtents(extents, p.X, p.Y, p.X, p.Y);
}
