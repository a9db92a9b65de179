#include "shell/widgets/MapContextMenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "interaction/Measuring.h"
#include "interaction/WhatIsHere.h"
#include "mapdata/GeoUri.h"
#include "shell/widgets/WhatIsHereWindow.h"
#include "shell/widgets/WidgetKit.h"
#include "state/MapCore.h"

MapContextMenu::MapContextMenu(QWidget* mapArea, MapCore& core, Runner run)
    : QObject(mapArea), mapArea_(mapArea), core_(core), run_(std::move(run)) {
  menu_ = new QMenu(mapArea);
  menu_->setObjectName("MapContextMenu");
  WhatIsHereItem = menu_->addAction(Ui("Что здесь?"), this, [this] { WhatIsHere(); });
  CentreHereItem = menu_->addAction(Ui("Центрировать здесь"), this, [this] { CentreHere(); });
  CopyCoordinatesItem = menu_->addAction(Ui("Копировать координаты"), this, [this] { CopyCoordinates(); });
  CopyLatLonItem = menu_->addAction(Ui("Копировать широту и долготу"), this, [this] { CopyLatLon(); });
  CopyLatLonItem->setVisible(false);
  CopyGeoLinkItem = menu_->addAction(Ui("Копировать ссылку geo:"), this, [this] { CopyGeoLink(); });
  CopyGeoLinkItem->setVisible(false);
  menu_->addSeparator();
  MeasureItem = menu_->addAction(Ui("Измерить расстояние"), this, [this] { Measure(); });
  menu_->addSeparator();
  RouteFromHereItem = menu_->addAction(Ui("Маршрут отсюда"), this, [this] { RouteEnd(true); });
  RouteFromHereItem->setObjectName("RouteFromHereItem");
  RouteToHereItem = menu_->addAction(Ui("Маршрут сюда"), this, [this] { RouteEnd(false); });
  RouteToHereItem->setObjectName("RouteToHereItem");
  menu_->setToolTipsVisible(true);  // a greyed item's hint says why
  window_ = new WhatIsHereWindow(mapArea->window());
  window_->OnChoose = [this](const Place& place, bool centre) {
    run_(Ui("Что здесь?"), [&] { ChoosePlace(core_, place, centre); });
  };
  mapArea->installEventFilter(this);
}

void MapContextMenu::OpenAt(QPoint pixel) {
  pixel_ = pixel;
  at_ = WindowToHit(core_.View, pixel.x(), pixel.y());
  scale_ = core_.View.Scale;
  CopyLatLonItem->setVisible(core_.Geo.has_value());
  CopyLatLonItem->setEnabled(LatLonTextAt(core_, at_, scale_).has_value());
  MeasureItem->setEnabled(core_.Geo.has_value());
  MeasureItem->setToolTip(core_.Geo ? QString() : Ui(kNeedsGeoReferenceHint));
  CopyGeoLinkItem->setVisible(CopyLatLonItem->isVisible());
  CopyGeoLinkItem->setEnabled(CopyLatLonItem->isEnabled());
  OfferDirections();
  menu_->popup(mapArea_->mapToGlobal(pixel));
}

void MapContextMenu::WhatIsHere() {
  run_(WhatIsHereItem->text(), [this] {
    QString coordinates = QString::fromStdString(CoordinatesText(at_, scale_));
    if (const std::optional<std::string> latLon = LatLonTextAt(core_, at_, scale_))
      coordinates += Ui("; широта и долгота: ") + QString::fromStdString(*latLon);
    const QPoint middle(core_.View.ScreenWidth / 2, core_.View.ScreenHeight / 2);
    window_->ShowPlaces(PlacesUnder(core_, at_), coordinates, mapArea_->mapToGlobal(pixel_),
                        mapArea_->mapToGlobal(middle));
  });
}

void MapContextMenu::CentreHere() {
  run_(CentreHereItem->text(), [this] { ::CentreHere(core_, at_); });
}

void MapContextMenu::CopyCoordinates() {
  QApplication::clipboard()->setText(QString::fromStdString(CoordinatesText(at_, scale_)));
}

void MapContextMenu::CopyLatLon() {
  if (const std::optional<std::string> latLon = LatLonTextAt(core_, at_, scale_))
    QApplication::clipboard()->setText(QString::fromStdString(*latLon));
}

void MapContextMenu::Measure() {
  run_(MeasureItem->text(), [this] {
    StartMeasuring(core_, {at_.X / static_cast<double>(scale_), at_.Y / static_cast<double>(scale_)});
    mapArea_->setFocus();  // Enter and Esc reach the map
  });
}

void MapContextMenu::CopyGeoLink() {
  if (!core_.Geo) return;
  if (const std::optional<LatLon> at = MapToLatLon(*core_.Geo, double(at_.X) / scale_, double(at_.Y) / scale_))
    QApplication::clipboard()->setText(QString::fromStdString(GeoUriText(*at)));
}

void MapContextMenu::OfferDirections() {
  const QString why = DirectionsUnavailable ? DirectionsUnavailable() : Ui("маршруты не прокладываются");
  for (QAction* item : {RouteFromHereItem, RouteToHereItem}) {
    item->setEnabled(why.isEmpty());
    item->setToolTip(why.isEmpty() ? item->text() : Ui("Недоступно: ") + why);
  }
}

void MapContextMenu::RouteEnd(bool fromHere) {
  if (!OnRouteEnd) return;
  const MapPoint at = HitToMap(at_, scale_);
  run_((fromHere ? RouteFromHereItem : RouteToHereItem)->text(), [&] { OnRouteEnd(at, fromHere); });
}

void MapContextMenu::CloseWindow() { window_->hide(); }

// A right press and release without moving opens the menu once the release
// has ended the drag the press began; the menu key opens it at the mouse, or
// in the middle of the map when the mouse is elsewhere.
bool MapContextMenu::eventFilter(QObject* watched, QEvent* event) {
  if (watched != mapArea_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton)
        rightPress_ = core_.Interaction.Mode == InteractionMode::Normal
                          ? std::optional<QPoint>(mouse->position().toPoint())
                          : std::nullopt;
      break;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::RightButton || !rightPress_) break;
      const QPoint release = mouse->position().toPoint();
      const bool moved = (release - *rightPress_).manhattanLength() >= QApplication::startDragDistance();
      rightPress_.reset();
      // After the drag's end the pressed map point lies under the release.
      if (!moved) QTimer::singleShot(0, this, [this, release] { OpenAt(release); });
      break;
    }
    case QEvent::ContextMenu: {
      const auto* menu = static_cast<QContextMenuEvent*>(event);
      if (menu->reason() == QContextMenuEvent::Keyboard && mapArea_->hasFocus()) {
        const QPoint mouse = mapArea_->mapFromGlobal(QCursor::pos());
        OpenAt(mapArea_->rect().contains(mouse) ? mouse : mapArea_->rect().center());
      }
      return true;  // the mouse's is opened on the release
    }
    case QEvent::Hide: CloseWindow(); break;
    default: break;
  }
  return false;
}
