// The map window following its size: the map point in the middle of the
// visible map stays in its middle.
#include <QLayout>

#include <algorithm>

#include "interaction/ViewMoves.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapWindow.h"

// The right edge's panels keep their distance from the area's right edge.
QRect MapWindow::VisibleMapRectOfSize(QSize area) const {
  if (QLayout* layout = mapArea_->layout()) layout->activate();
  const ViewState& v = core_.View;
  QRect visible = QRect(QPoint(0, 0), area).intersected(QRect(0, 0, v.ScreenWidth, v.ScreenHeight));
  if (ToolBar->isVisibleTo(mapArea_)) visible.setTop(std::max(visible.top(), ToolBar->geometry().bottom() + 1));
  if (PanelLeft->isVisibleTo(mapArea_)) visible.setLeft(std::max(visible.left(), PanelLeft->geometry().right() + 1));
  if (PanelRight->isVisibleTo(mapArea_)) {
    const int rightOfPanels = mapArea_->width() - PanelRight->geometry().left();
    visible.setRight(std::min(visible.right(), area.width() - rightOfPanels - 1));
  }
  return visible;
}

void MapWindow::MapAreaResized(QSize before) {
  // The visible map as it was, the panels (laid out for the new size) at
  // their places at its edges.
  const QRect earlier = before.isValid() ? VisibleMapRectOfSize(before) : QRect();
  KeepVisibleMiddle(core_, earlier, VisibleMapRect());
}
