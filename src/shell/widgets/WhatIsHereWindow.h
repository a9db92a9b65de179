#pragma once
// "Что здесь?": a small window beside the point the map's context menu was
// opened on, listing what lies there.  A click on a row selects the record as
// a click on a list search result does; a double click or Enter also brings it
// to the middle, as a double click there does.
#include <QScreen>
#include <QWidget>

#include <functional>
#include <vector>

#include "interaction/WhatIsHere.h"

class QLabel;
class QTableWidget;

class WhatIsHereWindow : public QWidget {
 public:
  explicit WhatIsHereWindow(QWidget* parent);

  // Lists `places` (for the map point `coordinates`, "X Y", with its latitude
  // and longitude where the city has them) and shows the
  // window beside global position `near`, on its side away from `clearOf`
  // (the middle of the map, where a chosen record is brought).
  void ShowPlaces(std::vector<Place> places, const QString& coordinates, QPoint near, QPoint clearOf);
  const std::vector<Place>& Places() const { return places_; }

  // A row was chosen: its place, and whether to bring it to the middle.
  std::function<void(const Place& place, bool centre)> OnChoose;

  QLabel* PointLabel;
  QTableWidget* PlaceList;  // kPlaceColumns
  QLabel* CountLabel;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  static constexpr int kNarrowest = 460;
  static constexpr int kNameColumn = 1;
  const QScreen* ScreenNear(QPoint near) const;
  void FitColumnsToTexts(QPoint near);
  void Choose(int row, bool centre);
  std::vector<Place> places_;
};
