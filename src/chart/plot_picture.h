#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace vestrix::chart {

class PlotView;

// What a saved picture of the plot says above it: what it shows (the file
// under review, or live), when it was made, and the series in their colours.
struct PictureTexts {
  QString title;
  QString date;
  std::vector<std::pair<QString, QColor>> legend;
};

// The plot as a picture of its own: the title and date, the legend, then the
// plot as it stands (its axes and their titles with it).
QImage PictureImage(PlotView& plot, const PictureTexts& texts);
QByteArray PicturePng(PlotView& plot, const PictureTexts& texts);
// The same as a vector PDF, one page the picture's size.
QByteArray PicturePdf(PlotView& plot, const PictureTexts& texts);

}  // namespace vestrix::chart
