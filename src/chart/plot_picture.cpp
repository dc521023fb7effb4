#include "chart/plot_picture.h"

#include "chart/plot_view.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace vestrix::chart {

namespace {

constexpr int kMargin = 6;

int HeaderHeight(const QFontMetrics& metrics) { return kMargin + metrics.height() * 2 + kMargin; }

QSize PictureSize(const PlotView& plot) {
  return QSize(plot.width(), plot.height() + HeaderHeight(QFontMetrics(plot.font())));
}

// Draws the header and the plot into a painter whose device is the
// picture's size, in the plot's own pixels.
void Paint(QPainter& painter, PlotView& plot, const PictureTexts& texts) {
  painter.setFont(plot.font());
  const QFontMetrics metrics = painter.fontMetrics();
  const QSize size = PictureSize(plot);
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  int y = kMargin + metrics.ascent();
  painter.setPen(Qt::black);
  QFont bold = painter.font();
  bold.setBold(true);
  painter.setFont(bold);
  painter.drawText(kMargin, y, texts.title);
  painter.setFont(plot.font());
  painter.drawText(size.width() - kMargin - metrics.horizontalAdvance(texts.date), y, texts.date);
  y += metrics.height();
  int x = kMargin;
  for (const auto& [name, colour] : texts.legend) {
    painter.fillRect(QRect(x, y - metrics.ascent() / 2 - 1, 14, 3), colour);
    x += 18;
    painter.setPen(colour);
    painter.drawText(x, y, name);
    x += metrics.horizontalAdvance(name) + 14;
  }
  plot.render(&painter, QPoint(0, HeaderHeight(metrics)), QRegion(), QWidget::DrawChildren);
}

}  // namespace

QImage PictureImage(PlotView& plot, const PictureTexts& texts) {
  const qreal ratio = plot.devicePixelRatioF();
  QImage image(PictureSize(plot) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);  // as sharp as the screen shows it
  QPainter painter(&image);
  Paint(painter, plot, texts);
  return image;
}

QByteArray PicturePng(PlotView& plot, const PictureTexts& texts) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  PictureImage(plot, texts).save(&buffer, "PNG");
  return png;
}

QByteArray PicturePdf(PlotView& plot, const PictureTexts& texts) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    // One point a pixel: the page is the picture.
    writer.setResolution(72);
    writer.setPageSize(QPageSize(PictureSize(plot), QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(texts.title);
    writer.setCreator(QStringLiteral("VESTRIX PC"));
    QPainter painter(&writer);
    Paint(painter, plot, texts);
  }
  return pdf;
}

}  // namespace vestrix::chart
