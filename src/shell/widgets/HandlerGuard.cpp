#include "shell/widgets/HandlerGuard.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

#include <algorithm>

std::string HandlerFailureMessage(const QString& action, const std::string& error) {
  return (QString::fromUtf8("Не удалось выполнить действие «") + action + QString::fromUtf8("»:\n")).toStdString() +
         error;
}

std::string UserErrorText(const std::string& what) {
  const QString text = QString::fromUtf8(what);
  const bool russian = std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
  if (russian) return what;
  return "внутренняя ошибка программы (" + (what.empty() ? std::string("без описания") : what) + ").";
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
