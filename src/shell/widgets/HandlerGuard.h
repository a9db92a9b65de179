#pragma once
// Exceptions must not pass through Qt's event loop.  Every handler that calls
// the map logic runs through RunGuarded: an exception becomes one message that
// names the action that failed and the error, and the window goes on working.
#include <QString>

#include <exception>
#include <new>
#include <string>

class QObject;

// "Не удалось выполнить действие «action»:\nerror" (UTF-8).
std::string HandlerFailureMessage(const QString& action, const std::string& error);

// The name of an action as the user knows its control: a menu item's caption,
// a control's hint, else a button's caption.
QString ActionName(const QObject* control);

// Runs `handler`; on an exception calls `report` with the failure message and
// returns false.
template <class Handler, class Report>
bool RunGuarded(const QString& action, Handler&& handler, Report&& report) {
  std::string error;
  try {
    handler();
    return true;
  } catch (const std::bad_alloc&) {
    error = "не хватает памяти.";
  } catch (const std::exception& e) {
    error = e.what();
  } catch (...) {
    error = "неизвестная ошибка.";
  }
  report(HandlerFailureMessage(action, error));
  return false;
}
