#include "ui/glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace vestrix::ui {

namespace {

constexpr int kSize = 16;

QPixmap Draw(qreal ratio, const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(static_cast<int>(kSize * ratio), static_cast<int>(kSize * ratio));
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  paint(painter);
  return pixmap;
}

QIcon Icon(QPixmap (*make)(qreal)) {
  QIcon icon;
  icon.addPixmap(make(1));
  icon.addPixmap(make(2));
  return icon;
}

}  // namespace

QPixmap ReadGlyphPixmap(qreal ratio) {
  return Draw(ratio, [](QPainter& p) {
    // Head from the tip at the left, then the shaft to the right edge.
    QPainterPath arrow;
    arrow.moveTo(1.5, 8);
    arrow.lineTo(8, 2);
    arrow.lineTo(8, 5.5);
    arrow.lineTo(14.5, 5.5);
    arrow.lineTo(14.5, 10.5);
    arrow.lineTo(8, 10.5);
    arrow.lineTo(8, 14);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(16, 56, 150), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(48, 112, 220));
    p.drawPath(arrow);
  });
}

QPixmap WriteGlyphPixmap(qreal ratio) {
  return Draw(ratio, [](QPainter& p) {
    p.setPen(QPen(QColor(20, 110, 35), 1));
    p.setBrush(QColor(46, 168, 70));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF check[] = {{4.5, 8.3}, {7, 10.8}, {11.5, 5.3}};
    p.drawPolyline(check, 3);
  });
}

QIcon ReadGlyph() { return Icon(&ReadGlyphPixmap); }
QIcon WriteGlyph() { return Icon(&WriteGlyphPixmap); }

}  // namespace vestrix::ui
