#include "i18n/flags.h"

#include <QPainter>

namespace vestrix::i18n {

QPixmap PolishFlag() {
  QPixmap flag(18, 12);
  QPainter p(&flag);
  p.fillRect(0, 0, 18, 6, Qt::white);
  p.fillRect(0, 6, 18, 6, QColor(220, 20, 60));
  p.setPen(QColor(160, 160, 160));
  p.drawRect(0, 0, 17, 11);  // so the white band stands out on a white list
  return flag;
}

QPixmap UnitedKingdomFlag() {
  QPixmap flag(19, 12);
  flag.fill(QColor(1, 33, 105));
  QPainter p(&flag);
  const QColor red(200, 16, 46);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 3));
  p.drawLine(QPointF(0, 0), QPointF(19, 12));
  p.drawLine(QPointF(0, 12), QPointF(19, 0));
  p.setPen(QPen(red, 1));
  p.drawLine(QPointF(0, 0), QPointF(19, 12));
  p.drawLine(QPointF(0, 12), QPointF(19, 0));
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(0, 4, 19, 4, Qt::white);
  p.fillRect(7, 0, 5, 12, Qt::white);
  p.fillRect(0, 5, 19, 2, red);
  p.fillRect(8, 0, 3, 12, red);
  return flag;
}

}  // namespace vestrix::i18n
