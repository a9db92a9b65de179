#pragma once
// The «Маршрут» panel at the window's right edge: the mode, the route's
// length and time, its steps, the reason when there is none, and the button
// that clears it.  It only holds controls; MapWindow connects them and fills
// them from its DirectionsSession.
#include <QDockWidget>
#include <QString>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class DirectionsSession;

// "850 м", "2,4 км".
QString DistanceText(double metres);
// "4 мин", "1 ч 05 мин" (whole minutes, rounded up).
QString DurationText(double seconds);

class DirectionsPanel : public QDockWidget {
 public:
  explicit DirectionsPanel(QWidget* parent);
  QRadioButton* FootButton;
  QRadioButton* CarButton;
  QButtonGroup* ModeGroup;
  QLabel* TotalLabel;    // length and time of the route
  QLabel* NoticeLabel;   // «Рядом нет дорог», «Маршрут не найден: …», or which end is missing
  QTableWidget* StepList;  // street, distance, turn; a chosen step centres the map on it
  QPushButton* ClearButton;

  // Fills the controls from the session (without running their handlers).
  void ShowSession(const DirectionsSession& session);
};
