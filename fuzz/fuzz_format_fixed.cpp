// FormatFixed on any 64-bit pattern with any precision and decimals.
// Input: 8 bytes of the double, 4 of the precision, 4 of the decimals.
// Asserts beyond "does not crash":
//  - NaN and the infinities read "NAN", "INF", "-INF";
//  - any other text reads back (as a C number) within the rounding the rule
//    allows: half a unit of the last decimal kept, or of the last
//    significant digit kept, whichever is coarser;
//  - zero never has a sign, and the text's length stays bounded.
#include "protocol/format_fixed.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 16) return 0;
  double value;
  std::int32_t precision;
  std::int32_t decimals;
  std::memcpy(&value, data, 8);
  std::memcpy(&precision, data + 8, 4);
  std::memcpy(&decimals, data + 12, 4);
  const QChar separator = size > 16 && (data[16] & 1) ? QLatin1Char(',') : QLatin1Char('.');
  const QString text = vestrix::protocol::FormatFixed(value, precision, decimals, separator);

  if (std::isnan(value)) {
    if (text != "NAN") std::abort();
    return 0;
  }
  if (std::isinf(value)) {
    if (text != (value < 0 ? "-INF" : "INF")) std::abort();
    return 0;
  }
  const int p = std::clamp(precision, 2, 18);
  const int d = std::clamp(decimals, 0, 18);
  // Fixed: sign, up to p integer digits, separator, d decimals. Or d.ddd E-xxxx.
  if (text.size() > 1 + p + 1 + d && text.size() > 1 + 1 + 1 + p + 2 + 4) std::abort();

  QString c = text;
  c.replace(separator, QLatin1Char('.'));
  char* end = nullptr;
  const QByteArray bytes = c.toLatin1();
  // Read back in long double: a value rounded up past the largest double is still a number.
  const long double back = std::strtold(bytes.constData(), &end);
  if (end != bytes.constData() + bytes.size()) std::abort();
  if (back == 0 && text.startsWith(QLatin1Char('-'))) std::abort();
  const double decimalStep = std::pow(10.0, -d);
  const double magnitude = std::fabs(value);
  const double digitStep = magnitude > 0 ? std::pow(10.0, std::floor(std::log10(magnitude)) - (p - 1)) : 0;
  const double allowed = 0.5 * std::max(decimalStep, digitStep);
  // Half a step, and a hair more for the exact decimal's own read-back
  // (half an ulp of the double).
  if (std::fabs(back - static_cast<long double>(value)) > allowed * (1 + 1e-9) + std::fabs(value) * 1e-15) std::abort();
  return 0;
}
