#pragma once
// The map's context menu: the right button released where it was pressed (a
// press that moves drags the map, as before), or the menu key while the map
// has the focus, opens "Что здесь?", "Центрировать здесь" and
// "Копировать координаты" for the point under the mouse, and for a city with
// a georeference "Копировать широту и долготу" and "Копировать ссылку geo:"
// too (other cities' menus do not show them).  "Измерить расстояние"
// measures a line from the point (interaction/Measuring.h); without a
// georeference it is greyed, its hint saying why.  "Маршрут отсюда" and
// "Маршрут сюда" are greyed with the reason for a city without a good road
// graph.
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

#include "render/ViewTransform.h"

class QAction;
class QMenu;
class QWidget;
class WhatIsHereWindow;
struct MapCore;

class MapContextMenu : public QObject {
 public:
  // Runs a command on the map state under the action's name (the map window's
  // guarded handler run, which shows a failure and brings the controls into line).
  using Runner = std::function<void(const QString& action, const std::function<void()>& command)>;

  // `mapArea` is the bare map whose window pixels the core's view transform
  // reads; the list window belongs to its window.
  MapContextMenu(QWidget* mapArea, MapCore& core, Runner run);

  QMenu* Menu() const { return menu_; }
  WhatIsHereWindow* Window() const { return window_; }
  QAction* WhatIsHereItem = nullptr;
  QAction* CentreHereItem = nullptr;
  QAction* CopyCoordinatesItem = nullptr;
  QAction* CopyLatLonItem = nullptr;
  QAction* MeasureItem = nullptr;
  QAction* CopyGeoLinkItem = nullptr;
  // Directions from or to the menu's point, for the map window to route
  // (`fromHere`: the start, else the end).  `DirectionsUnavailable` says why
  // the city has none (the items are greyed with it as their hint), "" when
  // it has them.
  QAction* RouteFromHereItem = nullptr;
  QAction* RouteToHereItem = nullptr;
  std::function<void(MapPoint at, bool fromHere)> OnRouteEnd;
  std::function<QString()> DirectionsUnavailable;

  // Opens the menu for window pixel (x, y) of the map area.
  void OpenAt(QPoint pixel);
  // The commands, for the point the menu was last opened on.
  void WhatIsHere();
  void CentreHere();
  void CopyCoordinates();
  void CopyLatLon();
  void Measure();
  // "geo:45.03074,39.02428" (RFC 5870), which other map applications open.
  void CopyGeoLink();
  void RouteEnd(bool fromHere);
  // The list's rows belong to the loaded city: a load closes it.
  void CloseWindow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The directions items, enabled or greyed with the reason as their hint.
  void OfferDirections();

  QWidget* mapArea_;
  MapCore& core_;
  Runner run_;
  QMenu* menu_;
  WhatIsHereWindow* window_;
  std::optional<QPoint> rightPress_;  // where a right press in mode "Normal" was
  QPoint pixel_;                      // the menu's point, map area pixels
  HitPoint at_;                       // the same in hit-test units
  float scale_ = 1.0f;                // at the scale of that moment
};
