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

// An exception's text as the user reads it: ours are Russian and pass as they
// are; one from the standard library or Qt (English, no Cyrillic letter) is
// "внутренняя ошибка программы (text)", so that the message stays Russian and
// the original still reaches a bug report.
std::string UserErrorText(const std::string& what);

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
    error = UserErrorText(e.what());
  } catch (...) {
    error = "неизвестная ошибка.";
  }
  report(HandlerFailureMessage(action, error));
  return false;
}
