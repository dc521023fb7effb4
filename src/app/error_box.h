#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace vestrix::app {

// Title of every error box.
inline const QString kApplicationTitle = QStringLiteral("VESTRIX PC");

// The text an error box shows for an error message: the message, with "."
// appended when its last character sorts after "." (so "!" and "." endings
// get nothing added).
QString ErrorBoxText(const QString& message);

// Shows an error box (title, stop icon, OK button). Tests replace the
// presenter so that no modal box blocks them.
using ErrorBoxPresenter = std::function<void(const QString& title, const QString& text)>;
void ShowErrorBox(const QString& message);
ErrorBoxPresenter SetErrorBoxPresenter(ErrorBoxPresenter presenter);

// Reports an exception that no handler caught in the error box.
void ReportUncaught(std::exception_ptr error);

// Runs an event handler; an exception escaping it goes to the error box and
// the program goes on with the next event.
template <class F>
void RunGuarded(F&& handler) {
  try {
    handler();
  } catch (...) {
    ReportUncaught(std::current_exception());
  }
}

// Wraps a handler without arguments for connecting to a signal.
template <class F>
auto Guarded(F handler) {
  return [handler = std::move(handler)]() mutable { RunGuarded(handler); };
}

}  // namespace vestrix::app
