#pragma once
// The Ctrl key as the whole application sees it, for one window: a press or a
// release of Ctrl reaching any widget of the window (its pop-up lists and menus
// included) is reported, whichever control holds the focus and whether or not
// that control keeps the key for itself; when the window is activated or
// deactivated, the real state of the key is read again, so that a release made
// while another window had the keyboard is not lost either.
#include <QObject>

#include <functional>

class QWidget;

class CtrlKeyWatcher : public QObject {
 public:
  // Watches the application's events from now on, until destroyed.
  CtrlKeyWatcher(QWidget* window, std::function<void(bool down)> changed);

  // Whether `widget` is `window` or lies in it, or in a pop-up opened from it.
  static bool BelongsTo(const QWidget* widget, const QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<void(bool down)> changed_;
};
