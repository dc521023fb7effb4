#include "ui/number_edit.h"

#include <QMouseEvent>

namespace vestrix::ui {

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) {}

void NumberEdit::setInvalid(bool invalid) {
  invalid_ = invalid;
  if (invalid) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, kInvalidColour);
    setPalette(palette);
  } else {
    setPalette(QPalette());  // the window colour of the style, as at start
  }
}

void NumberEdit::showValue(const QString& text) {
  setText(text);
  // From its start: a number wider than the box keeps its sign in sight.
  setCursorPosition(0);
}

void NumberEdit::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  // A click with the left button; the context menu's button is no click.
  if (event->button() == Qt::LeftButton) emit clicked();
}

}  // namespace vestrix::ui
