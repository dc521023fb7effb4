// What users type into the configuration page's boxes: any text.
// Input: one byte choosing the decimal separator, then UTF-8 text.
// Asserts beyond "does not crash":
//  - an accepted number is the value the C library reads from the same
//    digits (correctly rounded; beyond the double range: infinity, below it
//    zero), and its text holds nothing but blanks, digits, signs, the
//    exponent letter and the user's separator;
//  - every float write sends a value within the parameter's bounds, never NaN;
//  - an accepted rated capacity lies in 1..999999.
#include "numbers/number_input.h"
#include "protocol/parameter_table.h"

#include <cmath>
#include <cstdlib>
#include <limits>

using namespace vestrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const QChar separator = data[0] & 1 ? QLatin1Char(',') : QLatin1Char('.');
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

  if (const std::optional<double> number = numbers::ParseNumber(text, separator)) {
    QString c = text.trimmed();
    c.replace(separator, QLatin1Char('.'));
    const QByteArray bytes = c.toLatin1();
    const double reference = std::strtod(bytes.constData(), nullptr);  // the "C" locale: a point
    if (std::isnan(*number)) std::abort();
    if (std::isinf(reference) || reference == 0 || std::fpclassify(reference) == FP_SUBNORMAL) {
      // Out of range: from_chars gives up where strtod saturates or goes subnormal.
      if (std::isinf(reference) && *number != reference) std::abort();
      if (!std::isinf(reference) && std::fabs(*number) > std::numeric_limits<double>::min()) std::abort();
    } else if (*number != reference) {
      std::abort();
    }
    for (const QChar c : text) {
      const bool allowed = c.isSpace() || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
                           c == QLatin1Char('-') || c == QLatin1Char('e') || c == QLatin1Char('E') || c == separator;
      if (!allowed) std::abort();
    }
    for (const protocol::Parameter& p : protocol::Parameters()) {
      if (p.kind != protocol::ValueKind::Float32) continue;
      const float sent = numbers::ClampToFloat32(*number, p.upper, p.lower);
      if (std::isnan(sent) || sent < p.lower || sent > p.upper) std::abort();
    }
  }
  if (const std::optional<std::uint32_t> capacity = numbers::ParseRatedCapacity(text)) {
    if (*capacity < 1 || *capacity > 999999) std::abort();
  }
  return 0;
}
