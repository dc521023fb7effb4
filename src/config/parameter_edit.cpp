#include "config/parameter_edit.h"

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

void ParameterEdit::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  emit clicked();
}

}  // namespace vestrix::config
