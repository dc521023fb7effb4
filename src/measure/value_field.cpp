#include "measure/value_field.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace vestrix::measure {

ValueField::ValueField(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted: nothing behind it is drawn first
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setFocusPolicy(Qt::NoFocus);
}

void ValueField::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  // Laid out when it is painted: a field out of sight costs nothing.
  laidOut_.setText(text_);
  update();
}

void ValueField::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) laidOut_.setText(text_);  // laid out anew in the new font
  QWidget::changeEvent(event);
}

QRect ValueField::textRect() const { return rect().adjusted(3, 1, -3, -1); }


void ValueField::setTextColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void ValueField::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  p.fillRect(r, palette().window());
  // The bevel: light above and left, mid below and right.
  p.setPen(palette().color(QPalette::Light));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(palette().color(QPalette::Mid));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  p.setPen(colour_.isValid() ? colour_ : palette().color(QPalette::WindowText));
  p.setFont(font());
  const QRect area = textRect();
  p.setClipRect(area);
  const QSizeF size = laidOut_.size();
  p.drawStaticText(QPointF(area.left(), area.top() + (area.height() - size.height()) / 2), laidOut_);
}

}  // namespace vestrix::measure
