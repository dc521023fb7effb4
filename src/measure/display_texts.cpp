#include "measure/display_texts.h"

#include "measure/quantity_table.h"

namespace vestrix::measure {

DisplayTexts FormatSample(const protocol::MeasurementSample& s, QChar separator) {
  const auto text = [&](Quantity q) { return QuantityText(q, s, separator); };
  return {text(Quantity::Date),    text(Quantity::Time),   text(Quantity::Tens),
          text(Quantity::Counter), text(Quantity::Analog), text(Quantity::Min),
          text(Quantity::Max),     text(Quantity::Out1),   text(Quantity::Out2)};
}

}  // namespace vestrix::measure
