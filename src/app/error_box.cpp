#include "app/error_box.h"

#include <QMessageBox>

#include <stdexcept>

namespace vestrix::app {

namespace {

void ShowModalBox(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
  box.exec();
}

ErrorBoxPresenter& Presenter() {
  static ErrorBoxPresenter presenter = ShowModalBox;
  return presenter;
}

}  // namespace

QString ErrorBoxText(const QString& message) {
  if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
  return message;
}

void ShowErrorBox(const QString& message) { Presenter()(kApplicationTitle, ErrorBoxText(message)); }

ErrorBoxPresenter SetErrorBoxPresenter(ErrorBoxPresenter presenter) {
  ErrorBoxPresenter previous = std::move(Presenter());
  Presenter() = presenter ? std::move(presenter) : ErrorBoxPresenter(ShowModalBox);
  return previous;
}

void ReportUncaught(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    ShowErrorBox(QString::fromUtf8(e.what()));
  } catch (...) {
    ShowErrorBox(QStringLiteral("Unknown error"));
  }
}

}  // namespace vestrix::app
