#include "chart/chart_series.h"

#include "measure/quantity_table.h"

namespace vestrix::chart {

namespace {

// The series are the first quantities of the table, in its order.
const measure::QuantityRow& Of(SeriesKind kind) { return measure::RowOf(static_cast<measure::Quantity>(kind)); }

static_assert(static_cast<int>(SeriesKind::Out2) == static_cast<int>(measure::Quantity::Out2));

}  // namespace

QColor SeriesColour(SeriesKind kind) { return QColor(QRgb(Of(kind).chartColour)); }
const char* SeriesControl(SeriesKind kind) { return Of(kind).chartControl; }
const char* SeriesCaption(SeriesKind kind) { return Of(kind).chartCaption; }

}  // namespace vestrix::chart
