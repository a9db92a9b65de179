// The map window's directions: the ends chosen on the map or from the
// selection, the «Маршрут» panel, and the route's line over the map.
#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>

#include <algorithm>
#include <optional>

#include "interaction/ViewMoves.h"
#include "render/ViewTransform.h"
#include "route/DirectionsSession.h"
#include "shell/widgets/DirectionsPanel.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapContextMenu.h"
#include "shell/widgets/MapWindow.h"
#include "shell/widgets/WidgetKit.h"
#include "view/RouteOverlay.h"

namespace {

MapPointF PointF(MapPoint p) { return {double(p.X), double(p.Y)}; }

// Where a route to the selection ends: the firm's or the object's point, the
// middle of the building's outline; none for a street or nothing selected.
std::optional<MapPointF> SelectedPlacePoint(const SelectionState& s) {
  if (s.FirmSelected) return PointF(s.SelFirmPoint);
  if (s.ObjectSelected) return PointF(s.SelObjectPoint);
  const int n = std::clamp<int32_t>(s.SelBuildingCount, 0, kMaxPointsPerRecord);
  if (!s.BuildingSelected || n == 0) return std::nullopt;
  const auto [minX, maxX] = std::minmax_element(s.SelBuildingPoints.begin(), s.SelBuildingPoints.begin() + n,
                                                [](const MapPoint& a, const MapPoint& b) { return a.X < b.X; });
  const auto [minY, maxY] = std::minmax_element(s.SelBuildingPoints.begin(), s.SelBuildingPoints.begin() + n,
                                                [](const MapPoint& a, const MapPoint& b) { return a.Y < b.Y; });
  return MapPointF{(double(minX->X) + maxX->X) / 2, (double(minY->Y) + maxY->Y) / 2};
}

}  // namespace

void MapWindow::BuildDirections() {
  RoutePanel = new DirectionsPanel(this);
  addDockWidget(Qt::RightDockWidgetArea, RoutePanel);
  RoutePanel->hide();
  const QString panel = RoutePanel->windowTitle();
  connect(RoutePanel->FootButton, &QRadioButton::clicked, this,
          [this, panel] { RunCommand(panel, [this] { OnTravelModeChosen(TravelMode::Foot); }); });
  connect(RoutePanel->CarButton, &QRadioButton::clicked, this,
          [this, panel] { RunCommand(panel, [this] { OnTravelModeChosen(TravelMode::Car); }); });
  connect(RoutePanel->StepList, &QTableWidget::currentCellChanged, this,
          [this, panel](int row) { RunCommand(panel, [this, row] { OnRouteStepChosen(row); }); });
  connect(RoutePanel->ClearButton, &QPushButton::clicked, this,
          [this, panel] { RunCommand(panel, [this] { OnClearRouteClicked(); }); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), RoutePanel, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, [this, panel] { RunCommand(panel, [this] { OnClearRouteClicked(); }); });

  // The road graph is read as the menu opens, so that «Как добраться» says
  // at once whether the city has one.
  connect(mapMenu_, &QMenu::aboutToShow, this, [this] {
    DirectionsUnavailable();
    SyncRouteToSelectionItem(*routeToSelectionAction);
  });
  contextMenu_->DirectionsUnavailable = [this] { return DirectionsUnavailable(); };
  contextMenu_->OnRouteEnd = [this](MapPoint at, bool fromHere) { OnRouteEndChosen(at, fromHere); };
}

QString MapWindow::DirectionsUnavailable() {
  if (core_.CurrentCity.empty()) return Ui("город не загружен");
  if (const std::string damaged = directions_->Prepare(core_.City()); !damaged.empty()) ShowMessage(damaged);
  return QString::fromStdString(directions_->Unavailable());
}

void MapWindow::SyncRouteToSelectionItem(QAction& item) {
  const bool selected = SelectedPlacePoint(core_.Selection).has_value();
  const QString why = QString::fromStdString(directions_->Unavailable());
  item.setEnabled(selected && why.isEmpty());
  item.setToolTip(!why.isEmpty()   ? Ui("Недоступно: ") + why
                   : selected ? Ui("Маршрут к выделенному дому, фирме или объекту")
                              : Ui("Недоступно: выделите дом, фирму или объект"));
}

void MapWindow::ShowDirections() {
  RoutePanel->ShowSession(*directions_);
  RoutePanel->setVisible(directions_->Active());
  mapArea_->update();
}

void MapWindow::OnRouteEndChosen(MapPoint at, bool fromHere) {
  if (!DirectionsUnavailable().isEmpty()) return;
  fromHere ? directions_->SetStart(PointF(at)) : directions_->SetEnd(PointF(at));
  ShowDirections();
}

void MapWindow::OnRouteToSelectionClicked() {
  const std::optional<MapPointF> place = SelectedPlacePoint(core_.Selection);
  if (!place || !DirectionsUnavailable().isEmpty()) return;
  directions_->SetEnd(*place);
  ShowDirections();
}

void MapWindow::OnTravelModeChosen(TravelMode mode) {
  if (mode == directions_->Mode()) return;
  directions_->SetMode(mode);
  ShowDirections();
}

void MapWindow::OnRouteStepChosen(int row) {
  const std::optional<RouteAnswer>& answer = directions_->Answer();
  if (!answer || !answer->Found || row < 0 || row >= static_cast<int>(answer->Found->Steps.size())) return;
  const MapPointF at = answer->Found->Steps[static_cast<size_t>(row)].At;
  CentrePicturePoint(core_, VisibleMapRect(),
                     MapToHit(static_cast<int32_t>(std::lround(at.X)), static_cast<int32_t>(std::lround(at.Y)), core_.View.Scale));
  mapArea_->update();
}

void MapWindow::OnClearRouteClicked() {
  directions_->Clear();
  ShowDirections();
  mapArea_->setFocus();
}

void MapWindow::DrawRoute(QPainter& painter, QPoint shift) const {
  const std::optional<RouteAnswer>& answer = directions_->Answer();
  if (!answer || !answer->Found) {
    // The end chosen so far, or both where no route joins them.
    painter.save();
    painter.translate(shift);
    if (const auto& start = directions_->Start()) DrawRouteEnd(painter, core_.View, {start->X, start->Y}, true);
    if (const auto& end = directions_->End()) DrawRouteEnd(painter, core_.View, {end->X, end->Y}, false);
    painter.restore();
    return;
  }
  std::vector<QPointF> line;
  line.reserve(answer->Found->Line.size());
  for (const MapPointF& p : answer->Found->Line) line.emplace_back(p.X, p.Y);
  painter.save();
  painter.translate(shift);
  DrawRouteLine(painter, core_.View, line);
  painter.restore();
}
