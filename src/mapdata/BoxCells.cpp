#include "mapdata/BoxCells.h"

#include "mapdata/DecimalText.h"

std::vector<MapPoint> PointsOfCells(const std::string& countText, const std::string& pointsText) {
  int32_t count = 0;
  if (!ParseDecimalInt(countText, count)) return {};
  PointListResult parsed = ParsePointList(pointsText, count);
  return parsed.Ok() ? std::move(parsed.Points) : std::vector<MapPoint>{};
}

void AppendBoxCells(MapExtents& extents, LayerRow& row, const std::vector<MapPoint>& points) {
  const PointBox box = BoxOf(points);
  row.SubItems.push_back(DecimalText(box.MinX));
  row.SubItems.push_back(DecimalText(box.MinY));
  row.SubItems.push_back(DecimalText(box.MaxX));
  row.SubItems.push_back(DecimalText(box.MaxY));
  WidenMapExtents(extents, box.MinX, box.MinY, box.MaxX, box.MaxY);
}

void AppendPointCells(MapExtents& extents, LayerRow& row, const std::string& pointsText) {
  const std::vector<MapPoint> first = PointsOfCells("1", pointsText);
  const MapPoint p = first.empty() ? MapPoint{} : first.front();
  row.SubItems.push_back(DecimalText(p.X));
  row.SubItems.push_back(DecimalText(p.Y));
  WidenMapExtents(extents, p.X, p.Y, p.X, p.Y);
}
