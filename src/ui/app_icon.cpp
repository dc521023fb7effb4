#include "ui/app_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace vestrix::ui {

QPixmap AppIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 48.0, size / 48.0);
  // A rounded dark-blue plate.
  p.setPen(QPen(QColor(10, 40, 90), 2));
  p.setBrush(QColor(22, 78, 160));
  p.drawRoundedRect(QRectF(2, 2, 44, 44), 8, 8);
  // A white "V" for the instrument's name, bold enough for 16 pixels.
  p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(11, 11), QPointF(24, 36), QPointF(37, 11)}));
  // A green measured curve across the foot.
  p.setPen(QPen(QColor(120, 220, 110), 3, Qt::SolidLine, Qt::RoundCap));
  QPainterPath curve;
  curve.moveTo(7, 40);
  curve.cubicTo(16, 30, 24, 46, 41, 36);
  p.drawPath(curve);
  return pixmap;
}

QIcon AppIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48}) icon.addPixmap(AppIconPixmap(size));
  return icon;
}

}  // namespace vestrix::ui
