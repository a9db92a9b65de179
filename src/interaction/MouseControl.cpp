#include "interaction/MouseControl.h"

#include <cstdlib>

#include "interaction/ClickSelect.h"
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

ViewUpdate FormMouseDown(MapCore& core, MouseButton button, int32_t x, int32_t y) {
  InteractionState& in = core.Interaction;
  // Ctrl held ("StreetSelect") or a drag already running: presses do nothing.
  if (in.Mode != InteractionMode::Normal) return ViewUpdate::None;
  // A press puts away the hint of what the mouse rested on.
  in.HintVisible = false;
  in.GroundPress = button == MouseButton::Left && !SelectAtPoint(core, x, y, false);
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

ViewUpdate FormMouseMove(MapCore& core, int32_t x, int32_t y) {
  InteractionState& in = core.Interaction;
  if (in.Mode == InteractionMode::MapDrag) {
    DragMove(core, x, y);
    return ViewUpdate::Paint;
  }
  in.HintTimerEnabled = true;
  in.MouseX = x;
  in.MouseY = y;
  return ViewUpdate::None;
}

ViewUpdate FormMouseUp(MapCore& core, MouseButton, int32_t x, int32_t y) {
  InteractionState& in = core.Interaction;
  if (in.Mode != InteractionMode::MapDrag) return ViewUpdate::None;
  in.Mode = in.PrevMode;
  ViewState& v = core.View;
  // The centre comes from the offsets of the last move, the offsets from the
  // release position.
  CentreFromOffsets(v);
  v.OffsetX = v.DragAnchorX - x;
  v.OffsetY = v.DragAnchorY - y;
  v.DragShiftX = v.DragShiftY = 0;
  if (in.GroundPress && IsClick(in, x, y)) SelectGroundAtPoint(core, x, y);
  in.GroundPress = false;
  return ViewUpdate::RedrawAndPaint;
}

bool FormDblClick(MapCore& core, MouseButton button, int32_t x, int32_t y) {
  if (button != MouseButton::Left) return false;
  const ViewUpdate dragEnded = FormMouseUp(core, button, x, y);
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
