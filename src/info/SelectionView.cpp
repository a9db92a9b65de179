#include "info/SelectionView.h"

#include <algorithm>

#include "mapdata/DecimalText.h"
#include "render/ViewTransform.h"
#include "render/VisibleMiddle.h"
#include "state/MapCore.h"

int32_t ReadRecordPoints(const LayerTable& table, int row, int count, int points, PointArray& out) {
  const int declared = std::clamp(DecimalIntOf(table.CellAt(row, count)).value_or(0), 0, kMaxPointsPerRecord);
  const PointListResult read = ParsePointList(table.CellAt(row, points), declared);
  std::copy(read.Points.begin(), read.Points.end(), out.begin());
  return static_cast<int32_t>(read.Points.size());
}

void CentreOnSelection(MapCore& core, MapPoint point, bool move) {
  ViewState& v = core.View;
  v.CenterX = point.X;
  v.CenterY = point.Y;
  if (!move) return;
  if (core.Ui.ZoomOnSelect) v.Scale = 4.0f;
  PutPicturePointInMiddle(v, core.Host.VisibleMapRect(), MapToHit(point.X, point.Y, v.Scale));
  // A zoom keeps the middle of the picture; so does an object's track bar step.
  CentreFromOffsets(v);
}
