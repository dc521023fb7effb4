#include "chart/chart_series.h"

#include <array>

namespace vestrix::chart {

namespace {

struct Kind {
  QColor colour;
  const char* control;
  const char* caption;
};

const std::array<Kind, kSeriesKinds> kKinds = {{
    {QColor(0, 128, 0), "ChartTens", "Tensometric"},
    {QColor(0, 80, 200), "ChartCounter", "Counter"},
    {QColor(220, 120, 0), "ChartAnalog", "Analog"},
    {QColor(130, 0, 170), "ChartMin", "MIN"},
    {QColor(200, 0, 0), "ChartMax", "MAX"},
    {QColor(0, 150, 150), "ChartOut1", "Relay 1"},
    {QColor(140, 95, 40), "ChartOut2", "Relay 2"},
}};

const Kind& Of(SeriesKind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

}  // namespace

QColor SeriesColour(SeriesKind kind) { return Of(kind).colour; }
const char* SeriesControl(SeriesKind kind) { return Of(kind).control; }
const char* SeriesCaption(SeriesKind kind) { return Of(kind).caption; }

}  // namespace vestrix::chart
