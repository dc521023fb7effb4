#include "numbers/number_input.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vestrix::numbers {

namespace {

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Copies a run of ASCII digits; returns how many there were.
int TakeDigits(const QString& text, qsizetype& at, std::string& out) {
  int count = 0;
  while (at < text.size() && IsAsciiDigit(text[at])) {
    out.push_back(static_cast<char>(text[at].unicode()));
    ++at;
    ++count;
  }
  return count;
}

void TakeSign(const QString& text, qsizetype& at, std::string& out) {
  if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-'))) {
    if (text[at] == QLatin1Char('-')) out.push_back('-');
    ++at;
  }
}

// The power of ten of a number's first significant digit, from its digits
// and its exponent: 2 for "123", -3 for "0.00123", 398 for "1e398". Only its
// sign matters, so the exponent saturates.
long long DecimalExponent(const std::string& number) {
  const std::size_t mark = number.find('e');
  const std::string mantissa = number.substr(0, mark);
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string::npos) return 0;
  long long exponent =
      first < point ? static_cast<long long>(point - first - 1) : -static_cast<long long>(first - point);
  if (mark != std::string::npos) {
    std::size_t at = mark + 1;
    const bool negative = number[at] == '-';
    if (negative) ++at;
    long long written = 0;
    for (; at < number.size(); ++at) written = std::min(written * 10 + (number[at] - '0'), 1000000000000LL);
    exponent += negative ? -written : written;
  }
  return exponent;
}

}  // namespace

std::optional<double> ParseNumber(const QString& input, QChar decimalSeparator) {
  const QString text = input.trimmed();
  std::string number;  // the same number in the notation from_chars reads
  qsizetype at = 0;
  TakeSign(text, at, number);
  int digits = TakeDigits(text, at, number);
  if (at < text.size() && text[at] == decimalSeparator) {
    ++at;
    number.push_back('.');
    digits += TakeDigits(text, at, number);
  }
  if (digits == 0) return std::nullopt;
  if (at < text.size() && (text[at] == QLatin1Char('e') || text[at] == QLatin1Char('E'))) {
    ++at;
    number.push_back('e');
    TakeSign(text, at, number);
    if (TakeDigits(text, at, number) == 0) return std::nullopt;
  }
  if (at != text.size()) return std::nullopt;
  double value = 0;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, value);
  if (stop != end) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Too large, or too small to be told from zero: the nearest it can be.
    const bool negative = number.front() == '-';
    if (DecimalExponent(number) < 0) return negative ? -0.0 : 0.0;
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  return value;
}

float ClampToFloat32(double value, float upper, float lower) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  float v;
  if (value > kLargest) {
    v = std::numeric_limits<float>::infinity();
  } else if (value < -kLargest) {
    v = -std::numeric_limits<float>::infinity();
  } else {
    v = static_cast<float>(value);
  }
  if (v > upper) v = upper;
  if (v < lower) v = lower;
  return v;
}

std::optional<std::uint32_t> ParseRatedCapacity(const QString& input) {
  const QString text = input.trimmed();
  std::string number;
  qsizetype at = 0;
  TakeSign(text, at, number);
  if (TakeDigits(text, at, number) == 0 || at != text.size()) return std::nullopt;
  std::int32_t value = 0;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;  // outside the signed 32-bit range
  // A capacity below zero is no capacity: taken as unsigned it would send
  // the largest, a value the user never chose.
  if (value < 0) return std::nullopt;
  std::uint32_t u = static_cast<std::uint32_t>(value);
  if (u > 999999) u = 999999;
  if (u == 0) u = 1;
  return u;
}

}  // namespace vestrix::numbers
