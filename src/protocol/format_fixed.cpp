#include "protocol/format_fixed.h"

#include "protocol/exact_decimal.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace vestrix::protocol {

namespace {

// Rounds to `keep` leading digits, halves away from zero (the first dropped
// digit decides); a carry out of the first digit moves the point.
void RoundDigits(ExactDecimal& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') d.digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++d.digits[static_cast<std::size_t>(i)];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.pointPosition;
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

}  // namespace

QString FormatFixed(double value, int precision, int decimals, QChar separator) {
  precision = std::clamp(precision, 2, 18);
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

  ExactDecimal d;
  if (value != 0) {
    d = ExactDecimalOf(value);
    RoundDigits(d, std::min(precision, d.pointPosition + decimals));
  }
  const bool zero = d.digits.empty();
  QString text;
  if (!zero && value < 0) text += QLatin1Char('-');
  auto digitAt = [&](int i) {
    return i >= 0 && i < static_cast<int>(d.digits.size()) ? QLatin1Char(d.digits[static_cast<std::size_t>(i)])
                                                           : QLatin1Char('0');
  };

  if (zero || d.pointPosition <= precision) {
    if (zero || d.pointPosition <= 0) {
      text += QLatin1Char('0');
    } else {
      for (int i = 0; i < d.pointPosition; ++i) text += digitAt(i);
    }
    if (decimals > 0) {
      text += separator;
      for (int i = 0; i < decimals; ++i) text += zero ? QLatin1Char('0') : digitAt(d.pointPosition + i);
    }
    return text;
  }

  text += QLatin1Char(d.digits[0]);
  if (d.digits.size() > 1) {
    text += separator;
    text += QString::fromLatin1(d.digits.data() + 1, static_cast<qsizetype>(d.digits.size() - 1));
  }
  text += QLatin1Char('E');
  const int exponent = d.pointPosition - 1;
  if (exponent < 0) text += QLatin1Char('-');
  const int width = decimals <= 4 ? decimals : 0;
  text += QStringLiteral("%1").arg(std::abs(exponent), width, 10, QLatin1Char('0'));
  return text;
}

QString FormatFixed(double value, int precision, int decimals) {
  return FormatFixed(value, precision, decimals, QLocale::system().decimalPoint().at(0));
}

}  // namespace vestrix::protocol
