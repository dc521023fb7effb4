#pragma once

#include <string>

namespace vestrix::protocol {

// The exact decimal expansion of a finite, non-zero |value|: its significant
// digits (no leading or trailing zeros) and the position of the decimal
// point, so that |value| = 0.<digits> × 10^pointPosition.
struct ExactDecimal {
  std::string digits;
  int pointPosition = 0;
};

ExactDecimal ExactDecimalOf(double value);

}  // namespace vestrix::protocol
