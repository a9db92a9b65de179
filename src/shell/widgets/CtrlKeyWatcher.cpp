#include "shell/widgets/CtrlKeyWatcher.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

CtrlKeyWatcher::CtrlKeyWatcher(QWidget* window, std::function<void(bool down)> changed)
    : QObject(window), window_(window), changed_(std::move(changed)) {
  qApp->installEventFilter(this);
}

bool CtrlKeyWatcher::BelongsTo(const QWidget* widget, const QWidget* window) {
  for (; widget; widget = widget->parentWidget()) {
    if (widget == window) return true;
    // A pop-up (a drop-down list, a menu) belongs to the control that opened it.
    if (widget->isWindow() && widget->windowType() != Qt::Popup) return false;
  }
  return false;
}

bool CtrlKeyWatcher::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    // An event is seen again by the filter at every parent it is passed on to;
    // the handler does nothing when the state does not change.
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() == Qt::Key_Control && !key->isAutoRepeat() && watched->isWidgetType() &&
        BelongsTo(static_cast<const QWidget*>(watched), window_))
      changed_(type == QEvent::KeyPress);
  } else if ((type == QEvent::WindowActivate || type == QEvent::WindowDeactivate) && watched == window_) {
    changed_(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier));
  }
  return false;
}
