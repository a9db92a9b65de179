#include "shell/widgets/HandlerGuard.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

std::string HandlerFailureMessage(const QString& action, const std::string& error) {
  return (QString::fromUtf8("Не удалось выполнить действие «") + action + QString::fromUtf8("»:\n")).toStdString() +
         error;
}

QString ActionName(const QObject* control) {
  if (!control) return QString::fromUtf8("команда");
  QString name;
  if (const auto* item = qobject_cast<const QAction*>(control)) name = item->text();
  if (const auto* widget = qobject_cast<const QWidget*>(control)) name = widget->toolTip();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control); button && name.isEmpty())
    name = button->text();
  name.remove('&');  // menu accelerators
  return name.isEmpty() ? control->objectName() : name;
}
