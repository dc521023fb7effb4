#include "protocol/format_fixed.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace vestrix::protocol {
namespace {

struct Example {
  double value;
  int precision;
  int decimals;
  const char* text;
};

void PrintTo(const Example& e, std::ostream* os) { *os << e.text; }

class Examples : public ::testing::TestWithParam<Example> {};

TEST_P(Examples, WithPoint) {
  const Example& e = GetParam();
  EXPECT_EQ(FormatFixed(e.value, e.precision, e.decimals, QLatin1Char('.')).toStdString(), e.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Examples,
    ::testing::Values(Example{12.5, 15, 4, "12.5000"}, Example{1234567.891, 8, 2, "1234567.90"},
                      Example{0.125, 8, 2, "0.13"}, Example{-0.001, 8, 2, "0.00"}, Example{-0.00004, 15, 4, "0.0000"},
                      Example{1, 1, 0, "1"}, Example{255, 1, 0, "2.6E2"}, Example{123456789, 8, 2, "1.2345679E08"},
                      Example{1.0, 15, 4, "1.0000"}, Example{0, 15, 4, "0.0000"}, Example{-0.0, 15, 4, "0.0000"},
                      Example{0, 8, 0, "0"}, Example{-12.5, 15, 4, "-12.5000"}, Example{-0.125, 8, 2, "-0.13"},
                      Example{0.5, 8, 0, "1"}, Example{-0.5, 8, 0, "-1"}, Example{0.49, 8, 0, "0"},
                      Example{99.995, 15, 2, "100.00"},  // 99.995 is 99.99499999... in binary
                      Example{99999999.999, 8, 2, "1E08"}, Example{1e20, 15, 4, "1E0020"},
                      Example{1.5e300, 15, 4, "1.5E0300"}, Example{123456789, 8, 6, "1.2345679E8"},
                      Example{1234, 2, 0, "1.2E3"}, Example{0.0001, 15, 4, "0.0001"}, Example{1e-300, 15, 4, "0.0000"},
                      Example{5e-324, 18, 4, "0.0000"},
                      Example{std::numeric_limits<double>::max(), 18, 2, "1.79769313486231571E308"},
                      Example{std::numeric_limits<double>::infinity(), 15, 4, "INF"},
                      Example{-std::numeric_limits<double>::infinity(), 15, 4, "-INF"},
                      Example{std::numeric_limits<double>::quiet_NaN(), 15, 4, "NAN"},
                      Example{static_cast<double>(0.1f), 15, 4, "0.1000"},
                      Example{static_cast<double>(0.1f), 18, 12, "0.100000001490"}, Example{2.5, 30, 0, "3"},
                      Example{1234567890123456789.0, 25, 0, "1.23456789012345677E18"},
                      // Decimals beyond 18 are 18: no text of a billion zeros.
                      Example{0.5, 15, 2000000000, "0.500000000000000000"},
                      Example{5e-324, 2, 4608, "0.000000000000000000"}));

TEST(FormatFixed, UsesTheGivenSeparatorAndNoThousandsSeparator) {
  EXPECT_EQ(FormatFixed(12.5, 15, 4, QLatin1Char(',')), "12,5000");
  EXPECT_EQ(FormatFixed(1234567.891, 8, 2, QLatin1Char(',')), "1234567,90");
  EXPECT_EQ(FormatFixed(255, 1, 0, QLatin1Char(',')), "2,6E2");
}

TEST(FormatFixed, DefaultSeparatorComesFromRegionalSettings) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::Polish));
  // QLocale::system() follows the environment, not the default; the
  // overload must agree with it.
  EXPECT_EQ(FormatFixed(12.5, 15, 4), FormatFixed(12.5, 15, 4, QLocale::system().decimalPoint().at(0)));
  QLocale::setDefault(saved);
}

// An independent oracle: the exact expansion comes from printf with every
// digit a double can have (glibc prints it exactly), and the rounding works
// on that fixed-point text.
std::string Oracle(double value, int precision, int decimals) {
  precision = std::clamp(precision, 2, 18);
  decimals = std::max(decimals, 0);
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  static char buffer[1600];
  std::snprintf(buffer, sizeof buffer, "%.1100f", std::fabs(value));
  std::string text = buffer;
  const std::size_t dot = text.find('.');
  std::string digits = text.substr(0, dot) + text.substr(dot + 1);  // point after `dot` digits
  int point = static_cast<int>(dot);
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos)
    digits.clear();
  else {
    digits.erase(0, first);
    point -= static_cast<int>(first);
  }
  // Positions counted from the first significant digit.
  int keep = std::min(precision, point + decimals);
  if (keep < 0)
    digits.clear();
  else if (keep < static_cast<int>(digits.size())) {
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
      // Add one unit in the last kept place with long addition.
      std::string sum = "0" + digits;
      int i = static_cast<int>(sum.size()) - 1;
      while (sum[i] == '9') sum[i--] = '0';
      sum[i]++;
      if (sum[0] == '0')
        sum.erase(0, 1);
      else
        point++;
      digits = sum;
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  std::string out;
  if (digits.empty()) {
    out = "0";
    if (decimals > 0) out += "." + std::string(decimals, '0');
    return out;
  }
  if (value < 0) out = "-";
  if (point <= precision) {
    std::string padded = digits + std::string(std::max(0, point + decimals - static_cast<int>(digits.size())), '0');
    if (point <= 0) {
      out += "0";
      padded = std::string(-point, '0') + padded;
      if (decimals > 0) out += "." + padded.substr(0, decimals);
    } else {
      out += padded.substr(0, point);
      if (decimals > 0) out += "." + padded.substr(point, decimals);
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (digits.size() > 1) out += "." + digits.substr(1);
  std::string exponent = std::to_string(point - 1);
  if (decimals <= 4 && static_cast<int>(exponent.size()) < decimals) {
    exponent = std::string(decimals - exponent.size(), '0') + exponent;
  }
  return out + "E" + exponent;
}

void ExpectAgrees(double value, int precision, int decimals) {
  ASSERT_EQ(FormatFixed(value, precision, decimals, QLatin1Char('.')).toStdString(), Oracle(value, precision, decimals))
      << "value " << std::hexfloat << value << " precision " << precision << " decimals " << decimals;
}

TEST(FormatFixed, OracleAgreesOnTheExamples) {
  EXPECT_EQ(Oracle(0.125, 8, 2), "0.13");
  EXPECT_EQ(Oracle(255, 1, 0), "2.6E2");
  EXPECT_EQ(Oracle(123456789, 8, 2), "1.2345679E08");
  EXPECT_EQ(Oracle(-0.00004, 15, 4), "0.0000");
}

TEST(FormatFixed, AgreesWithExactOracleOnRandomValues) {
  std::mt19937_64 rng(20261210);
  std::uniform_int_distribution<int> precision(0, 20);
  std::uniform_int_distribution<int> decimals(0, 8);
  std::uniform_int_distribution<int> magnitude(-12, 22);
  for (int i = 0; i < 40000; ++i) {
    // Doubles of every bit pattern, floats widened, and values of everyday size.
    std::uint64_t bits = rng();
    double anyDouble;
    std::memcpy(&anyDouble, &bits, sizeof anyDouble);
    std::uint32_t fbits = static_cast<std::uint32_t>(rng());
    float anyFloat;
    std::memcpy(&anyFloat, &fbits, sizeof anyFloat);
    const double everyday =
        std::ldexp(static_cast<double>(rng() >> 11), -53) * std::pow(10.0, magnitude(rng)) * ((rng() & 1) ? -1 : 1);
    for (double v :
         {anyDouble, static_cast<double>(anyFloat), everyday, static_cast<double>(static_cast<float>(everyday))}) {
      ExpectAgrees(v, precision(rng), decimals(rng));
    }
  }
}

// Exact ties: k / 2^n has a finite expansion ending in 5, so rounding at
// its last place is a true half, which goes away from zero.
TEST(FormatFixed, TiesRoundAwayFromZero) {
  std::mt19937 rng(7);
  for (int n = 1; n <= 12; ++n) {
    for (int i = 0; i < 400; ++i) {
      const double v = std::ldexp(static_cast<double>(rng() % 200000) * 2 + 1, -n) * ((i & 1) ? -1 : 1);
      for (int decimals = 0; decimals <= n; ++decimals) ExpectAgrees(v, 18, decimals);
      ExpectAgrees(v, 2 + i % 10, 4);
    }
  }
  EXPECT_EQ(FormatFixed(0.375, 15, 2, QLatin1Char('.')), "0.38");
  EXPECT_EQ(FormatFixed(2.5, 15, 0, QLatin1Char('.')), "3");
  EXPECT_EQ(FormatFixed(-2.5, 15, 0, QLatin1Char('.')), "-3");
  EXPECT_EQ(FormatFixed(0.0625, 15, 3, QLatin1Char('.')), "0.063");
}

}  // namespace
}  // namespace vestrix::protocol
