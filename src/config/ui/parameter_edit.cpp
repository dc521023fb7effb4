#include "config/ui/parameter_edit.h"

#include <QMouseEvent>

namespace vestrix::config {

ParameterEdit::ParameterEdit(QWidget* parent) : QLineEdit(parent) {}

void ParameterEdit::setInvalid(bool invalid) {
  invalid_ = invalid;
  if (invalid) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, kInvalidColour);
    setPalette(palette);
  } else {
    setPalette(QPalette());  // the window colour of the style, as at start
  }
}

void ParameterEdit::showValue(const QString& text) {
  setText(text);
  // From its start: a number wider than the box keeps its sign in sight.
  setCursorPosition(0);
}

void ParameterEdit::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  // A click with the left button; the context menu's button is no click.
  if (event->button() == Qt::LeftButton) emit clicked();
}

}  // namespace vestrix::config
