#pragma once

#include "protocol/measurement_sample.h"

#include <QChar>
#include <QString>

namespace vestrix::measure {

// What the Display page's nine fields show for a sample.
struct DisplayTexts {
  QString date, time, tens, counter, analog, min, max, relay1, relay2;
};

// The field text before the first measurement.
inline const QString kNoValue = QStringLiteral("-------------");

// Date as day-month-year and time as hour:minute:second, without leading
// zeros; values with four decimals; relays HIGH or LOW.
DisplayTexts FormatSample(const protocol::MeasurementSample& sample, QChar decimalSeparator);

}  // namespace vestrix::measure
