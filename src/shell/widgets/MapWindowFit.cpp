// The map window following its size: the side panels give the map room, and
// the map point in the middle of the visible map stays in its middle.
#include <QLayout>

#include <algorithm>

#include "interaction/ViewMoves.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapWindow.h"
#include "shell/widgets/PanelEdge.h"
#include "shell/widgets/SidePanels.h"

void MapWindow::FitPanelsToMap() {
  const int left = PanelLeft->isVisibleTo(mapArea_) ? 1 : 0;
  const int rights = RightPanelsShown();
  const int edges = (left + (rights > 0 ? 1 : 0)) * PanelEdge::kThickness;
  const int room = mapArea_->width() - edges - kMapRoom;
  shownPanels_ = FitSidePanels({leftPanelWidth_, rightPanelWidth_}, left, rights, room);
  PanelSearch->setFixedWidth(shownPanels_.Left);
  PanelPath->setFixedWidth(shownPanels_.Left);
  InfoPanel->setFixedWidth(shownPanels_.Right);
  FirmSearch->setFixedWidth(shownPanels_.Right);
}

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
  // The visible map as it was, the panels (laid out for the new size, not yet
  // given way) at their places at its edges.
  const QRect earlier = before.isValid() ? VisibleMapRectOfSize(before) : QRect();
  FitPanelsToMap();
  KeepVisibleMiddle(core_, earlier, VisibleMapRect());
}

// The load and a remembered view put their centre in the middle of the
// picture, the screen's middle of the map area, whatever the window's size.
void MapWindow::CentreViewInVisibleMap() {
  const ViewState& v = core_.View;
  const QRect visible = VisibleMapRect();
  const QPoint placed(v.ScreenWidth / 2, v.ScreenHeight / 2);
  if (visible.isEmpty() || VisibleMapCentre(visible) == placed) return;
  CentrePicturePoint(core_, visible, WindowToHit(v, placed.x(), placed.y()));
}

MapPoint MapWindow::VisibleMiddlePoint() const {
  const QPoint middle = VisibleMapCentre(VisibleMapRect());
  return HitToMap(WindowToHit(core_.View, middle.x(), middle.y()), core_.View.Scale);
}
