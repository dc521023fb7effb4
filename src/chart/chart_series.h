#pragma once

#include <QColor>

namespace vestrix::chart {

// What a chart's series can be: the five values of a measurement message
// live, the value columns of a record file under review.
enum class SeriesKind { Tens, Counter, Analog, Min, Max, Out1, Out2 };
constexpr int kSeriesKinds = 7;

// Fixed colours, told apart at a glance and on paper.
QColor SeriesColour(SeriesKind kind);
// The legend entry's object name, by which the translation table gives its
// text.
const char* SeriesControl(SeriesKind kind);
// Its English text.
const char* SeriesCaption(SeriesKind kind);

}  // namespace vestrix::chart
