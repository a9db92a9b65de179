#include "interaction/MouseControl.h"

#include <cstdlib>

#include "interaction/ClickSelect.h"
#include "interaction/Measuring.h"
#include "interaction/ViewMoves.h"
#include "render/ViewTransform.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"
#include "view/ViewScale.h"

namespace {

// A release this close to its press is a click, not a drag.
constexpr int32_t kClickSlop = 2;

bool IsClick(const InteractionState& in, int32_t x, int32_t y) {
  return std::abs(x - in.PressX) <= kClickSlop && std::abs(y - in.PressY) <= kClickSlop;
}

}  // namespace

ViewUpdate PressOnMap(MapCore& core, MouseButton button, int32_t x, int32_t y) {
  InteractionState& in = core.Interaction;
  // Ctrl held ("StreetSelect") or a drag already running: presses do nothing.
  if (in.Mode != InteractionMode::Normal) return ViewUpdate::None;
  // A press puts away the hint of what the mouse rested on.
  in.HintVisible = false;
  // While measuring a left click adds a point instead of choosing.
  in.GroundPress = button == MouseButton::Left && (core.Measure.Active || !SelectAtPoint(core, x, y, false));
  in.PressX = x;
  in.PressY = y;
  // The anchors are taken after the selection, which never moves the view.
  ViewState& v = core.View;
  in.PrevMode = in.Mode;
  in.Mode = InteractionMode::MapDrag;
  v.DragAnchorX = x + v.OffsetX;
  v.DragAnchorY = y + v.OffsetY;
  v.DragShiftAnchorX = x + v.DragShiftX;
  v.DragShiftAnchorY = y + v.DragShiftY;
  return ViewUpdate::None;
}

void DragMove(MapCore& core, int32_t x, int32_t y) {
  ViewState& v = core.View;
  v.OffsetX = v.DragAnchorX - x;
  v.OffsetY = v.DragAnchorY - y;
  v.DragShiftX = v.DragShiftAnchorX - x;
  v.DragShiftY = v.DragShiftAnchorY - y;
  core.Interaction.HintVisible = false;
  core.Interaction.HintTimerEnabled = false;
}

ViewUpdate MoveOnMap(MapCore& core, int32_t x, int32_t y) {
  InteractionState& in = core.Interaction;
  if (in.Mode == InteractionMode::MapDrag) {
    DragMove(core, x, y);
    return ViewUpdate::Paint;
  }
  in.HintTimerEnabled = true;
  in.MouseX = x;
  in.MouseY = y;
  // The measured line's last stretch follows the mouse.
  return core.Measure.Active ? ViewUpdate::Paint : ViewUpdate::None;
}

namespace {

// The drag a press began ends at (x, y).
void EndDrag(MapCore& core, int32_t x, int32_t y) {
  InteractionState& in = core.Interaction;
  in.Mode = in.PrevMode;
  ViewState& v = core.View;
  // The centre comes from the offsets of the last move, the offsets from the
  // release position.
  CentreFromOffsets(v);
  v.OffsetX = v.DragAnchorX - x;
  v.OffsetY = v.DragAnchorY - y;
  v.DragShiftX = v.DragShiftY = 0;
}

}  // namespace

ViewUpdate ReleaseOnMap(MapCore& core, MouseButton, int32_t x, int32_t y) {
  InteractionState& in = core.Interaction;
  if (in.Mode != InteractionMode::MapDrag) return ViewUpdate::None;
  EndDrag(core, x, y);
  const bool click = IsClick(in, x, y);
  if (click) ClearMeasurement(core);  // a length measured before goes with the next click
  if (in.GroundPress && click) core.Measure.Active ? AddMeasurePoint(core, x, y) : SelectGroundAtPoint(core, x, y);
  in.GroundPress = false;
  return ViewUpdate::RedrawAndPaint;
}

bool DoubleClickOnMap(MapCore& core, MouseButton button, int32_t x, int32_t y) {
  if (button != MouseButton::Left) return false;
  // Its first click added the last point: measuring ends there.
  if (core.Measure.Active) {
    if (core.Interaction.Mode == InteractionMode::MapDrag) EndDrag(core, x, y);
    core.Interaction.GroundPress = false;
    FinishMeasuring(core);
    ApplyViewUpdate(core, ViewUpdate::RedrawAndPaint);
    return true;
  }
  const ViewUpdate dragEnded = ReleaseOnMap(core, button, x, y);
  if (core.Interaction.Mode != InteractionMode::Normal) return false;
  // A step in: the zoom floor plays no part.
  if (!ZoomAroundPoint(core, 1, x, y, kTrackBarMinScale)) ApplyViewUpdate(core, dragEnded);
  return true;
}

void ApplyViewUpdate(MapCore& core, ViewUpdate update) {
  if (update == ViewUpdate::None) return;
  if (update == ViewUpdate::RedrawAndPaint) RedrawView(core);
  core.Host.PaintMapWindow();
}
