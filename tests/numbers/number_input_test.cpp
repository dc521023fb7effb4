#include "numbers/number_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vestrix::numbers {
namespace {

TEST(ParseNumber, WhatIsANumberAndWhatIsNot) {
  const struct {
    const char* text;
    char separator;
    std::optional<double> value;
  } cases[] = {
      {"12.5", '.', 12.5},
      {" -3,25 ", ',', -3.25},
      {"+7", '.', 7.0},
      {".5", '.', 0.5},
      {"5.", '.', 5.0},
      {"1e3", '.', 1000.0},
      {"2,5E-1", ',', 0.25},
      {"12,5", '.', std::nullopt},
      {"1.2.3", '.', std::nullopt},
      {"", '.', std::nullopt},
      {"-", '.', std::nullopt},
      {".", '.', std::nullopt},
      {"1e", '.', std::nullopt},
      {"inf", '.', std::nullopt},
      {"nan", '.', std::nullopt},
      {"0x10", '.', std::nullopt},
      {"1 000", '.', std::nullopt},
      {"١٢", '.', std::nullopt},  // Arabic-Indic digits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseNumber(QString::fromUtf8(c.text), QLatin1Char(c.separator)), c.value) << c.text;
  }
}

TEST(ParseNumber, BeyondTheRangeOfADoubleIsTheNearestItCanBe) {
  EXPECT_EQ(ParseNumber("1e400", '.'), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseNumber("-1e400", '.'), -std::numeric_limits<double>::infinity());
  const std::optional<double> tiny = ParseNumber("-1e-400", '.');
  ASSERT_TRUE(tiny);
  EXPECT_EQ(*tiny, 0.0);
  EXPECT_TRUE(std::signbit(*tiny));
}

TEST(ClampToFloat32, UpperBoundFirstInFloat32) {
  EXPECT_EQ(ClampToFloat32(1e300, 100.0f, -100.0f), 100.0f);
  EXPECT_EQ(ClampToFloat32(-1e300, 100.0f, -100.0f), -100.0f);
  EXPECT_EQ(ClampToFloat32(0.1, 1.0f, 0.0f), 0.1f);
}

TEST(ParseRatedCapacity, AnIntegerFromOneTo999999) {
  const struct {
    const char* text;
    std::optional<std::uint32_t> value;
  } cases[] = {{"500", 500},           {" 0 ", 1},           {"1000000", 999999},
               {"2147483647", 999999}, {"-1", std::nullopt}, {"2147483648", std::nullopt},
               {"1.5", std::nullopt},  {"", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ParseRatedCapacity(QString::fromUtf8(c.text)), c.value) << c.text;
}

}  // namespace
}  // namespace vestrix::numbers
