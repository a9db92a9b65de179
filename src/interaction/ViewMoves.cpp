#include "interaction/ViewMoves.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/ViewTransform.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"
#include "view/ViewScale.h"

namespace {

int32_t SaturatingAdd(int32_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(a + b, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The end of every move: the centre from the offsets, the track bar at
// `position` without its change handler, then redraw and paint.
void FinishMove(MapCore& core, int position) {
  CentreFromOffsets(core.View);
  core.Ui.ZoomSliderPosition = position;
  core.Interaction.HintVisible = false;
  RedrawView(core);
  core.Host.PaintMapWindow();
}

// The track bar's position for a scale, at its first step below 0.5.
int TrackBarPositionOf(float scale) {
  return std::clamp(ScaleToTrackBarPosition(scale), kTrackBarMin, kTrackBarMax);
}

bool Dragging(const MapCore& core) { return core.Interaction.Mode == InteractionMode::MapDrag; }

}  // namespace

bool PanView(MapCore& core, const QRect& visible, double fractionX, double fractionY) {
  if (Dragging(core)) return false;
  const int64_t dx = TruncToInt32(static_cast<long double>(visible.width()) * fractionX);
  const int64_t dy = TruncToInt32(static_cast<long double>(visible.height()) * fractionY);
  if (dx == 0 && dy == 0) return false;
  ViewState& v = core.View;
  v.OffsetX = SaturatingAdd(v.OffsetX, dx);
  v.OffsetY = SaturatingAdd(v.OffsetY, dy);
  FinishMove(core, core.Ui.ZoomSliderPosition);
  return true;
}

bool KeepVisibleMiddle(MapCore& core, const QRect& before, const QRect& after) {
  if (Dragging(core) || before.isEmpty() || after.isEmpty()) return false;
  // Window pixel x shows picture pixel x + OffsetX + ScreenWidth / 2.
  const QPoint shift = VisibleMapCentre(before) - VisibleMapCentre(after);
  if (shift.isNull()) return false;
  ViewState& v = core.View;
  v.OffsetX = SaturatingAdd(v.OffsetX, shift.x());
  v.OffsetY = SaturatingAdd(v.OffsetY, shift.y());
  FinishMove(core, core.Ui.ZoomSliderPosition);
  return true;
}

bool CentrePicturePoint(MapCore& core, const QRect& visible, HitPoint at) {
  if (Dragging(core)) return false;
  PutPicturePointInMiddle(core.View, visible, at);
  FinishMove(core, core.Ui.ZoomSliderPosition);
  return true;
}

bool ZoomAroundPoint(MapCore& core, int steps, int32_t x, int32_t y, float floor) {
  if (steps == 0 || Dragging(core)) return false;
  ViewState& v = core.View;
  const float scale = StepScale(v.Scale, steps, floor);
  if (scale == v.Scale) return false;

  ZoomKeepingWindowPoint(v, QPoint(x, y), scale);
  FinishMove(core, TrackBarPositionOf(scale));
  return true;
}

bool ShowViewAt(MapCore& core, int32_t x, int32_t y, float scale) {
  if (Dragging(core)) return false;
  ViewState& v = core.View;
  v.CenterX = x;
  v.CenterY = y;
  v.Scale = scale;
  RecentreOffsets(v);
  FinishMove(core, TrackBarPositionOf(scale));
  return true;
}

int WholeBoxTrackBarPosition(const PointBox& box, int width, int height) {
  for (int position = kTrackBarMax; position > kTrackBarMin; --position)
    if (BoxFitsAt(box, TrackBarPositionToScale(position), width, height)) return position;
  return kTrackBarMin;
}

float ZoomFloor(const MapCore& core, const QRect& visible) {
  return ZoomFloor(core.Extents.DataBox(), visible.width(), visible.height());
}

bool ShowWholeCity(MapCore& core, const QRect& visible) {
  if (Dragging(core) || visible.isEmpty()) return false;
  const PointBox box = core.Extents.DataBox();
  const int position = WholeBoxTrackBarPosition(box, visible.width(), visible.height());
  const float scale = position > kTrackBarMin ? TrackBarPositionToScale(position) : ZoomFloor(core, visible);
  ViewState& v = core.View;
  v.Scale = scale;
  // The box's top-left corner goes where the box sits in the middle of the
  // visible map; window pixel x shows picture pixel x + ScreenWidth / 2.
  const long double s = scale;
  const long double left = visible.left() + (visible.width() - 1 - (int64_t{box.MaxX} - box.MinX) * s) / 2;
  const long double top = visible.top() + (visible.height() - 1 - (int64_t{box.MaxY} - box.MinY) * s) / 2;
  v.OffsetX = FloorToInt32(box.MinX * s - left - v.ScreenWidth / 2);
  v.OffsetY = FloorToInt32(box.MinY * s - top - v.ScreenHeight / 2);
  FinishMove(core, TrackBarPositionOf(scale));
  return true;
}
