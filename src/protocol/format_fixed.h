#pragma once

#include <QChar>
#include <QString>

namespace vestrix::protocol {

// The program's one rule for turning a number into text. The exact decimal
// expansion of the value is rounded, halves away from zero, to at most
// `precision` significant digits (clamped to 2..18) and at most `decimals`
// digits after the point (clamped to 0..18), whichever keeps fewer. It is written in fixed
// notation with exactly `decimals` digits after the separator while its
// integer part has at most `precision` digits, otherwise as d.dddE<exp>
// (exponent zero-padded to `decimals` digits when decimals is 4 or less).
// Infinities and NaN read "INF", "-INF" and "NAN"; zero never has a sign.
QString FormatFixed(double value, int precision, int decimals, QChar decimalSeparator);

// More decimals than this would only add zeros after the last significant
// digit, and a huge count would make a huge text.
constexpr int kMaxDecimals = 18;

// The same with the decimal separator of the user's regional settings.
QString FormatFixed(double value, int precision, int decimals);

}  // namespace vestrix::protocol
