#include "view/MapOnDevice.h"

#include <QPainter>

#include "render/Canvas.h"
#include "render/ViewTransform.h"
#include "state/MapCore.h"
#include "view/PaintMapArea.h"
#include "view/RedrawView.h"
#include "view/SelectionOverlay.h"

namespace {

// The same map at the same scale, moved so that the window pixel
// visible.topLeft() is the picture's pixel (0, 0): whatever the window shows
// is drawn with the rounding the window's picture had.
ViewState VisiblePartAsPicture(const ViewState& v, const QRect& visible) {
  const QRect source = VisiblePictureRect(v);
  ViewState part = v;
  part.OffsetX += source.left() + visible.left();
  part.OffsetY += source.top() + visible.top();
  return part;
}

}  // namespace

void DrawVisibleMap(MapCore& core, QPainter& painter, const QRect& visible) {
  if (core.Map.isNull() || visible.isEmpty()) return;
  const ViewState window = core.View;
  core.View = VisiblePartAsPicture(window, visible);
  UpdateSelectionOverlay(core);  // the selection's pixels in the moved view
  {
    CanvasState state = core.Render.Canvas;  // the window's next redraw starts from its own
    Canvas canvas(painter, visible.size(), state);
    DrawMapOn(core, canvas);
    DrawHighlightsOn(core, canvas);
  }
  core.View = window;
  UpdateSelectionOverlay(core);
}
