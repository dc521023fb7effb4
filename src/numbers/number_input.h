#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

namespace vestrix::numbers {

// One complete decimal number as the user writes it: blanks around it, an
// optional sign, digits with at most one decimal separator (the user's),
// and an optional exponent. Anything else, "inf" and "nan" among it, is
// not a number.
std::optional<double> ParseNumber(const QString& text, QChar decimalSeparator);

// What a float write sends: the nearest float32, clamped to the bounds,
// upper bound first, comparing in float32. A number beyond the float32
// range is still a number: it clamps to the bound.
float ClampToFloat32(double value, float upper, float lower);

// The rated capacity a write sends: a decimal integer (blanks around it
// allowed) from 0 to 2^31 - 1, at most 999999 and at least 1. Nothing when
// the text is not such an integer: a negative one among them.
std::optional<std::uint32_t> ParseRatedCapacity(const QString& text);

}  // namespace vestrix::numbers
