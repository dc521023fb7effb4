#include "protocol/exact_decimal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vestrix::protocol {

namespace {

// Just enough of an unsigned big integer: little-endian 32-bit limbs.
class BigUnsigned {
 public:
  explicit BigUnsigned(std::uint64_t v) {
    limbs_.push_back(static_cast<std::uint32_t>(v));
    if (v >> 32) limbs_.push_back(static_cast<std::uint32_t>(v >> 32));
  }

  void multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }

  void shiftLeft(int bits) {
    limbs_.insert(limbs_.begin(), static_cast<std::size_t>(bits / 32), 0u);
    const int rest = bits % 32;
    if (rest == 0) return;
    std::uint32_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint32_t next = limb >> (32 - rest);
      limb = (limb << rest) | carry;
      carry = next;
    }
    if (carry) limbs_.push_back(carry);
  }

  // Decimal digits, most significant first.
  std::string decimal() const {
    std::vector<std::uint32_t> n = limbs_;
    std::string reversed;
    constexpr std::uint32_t kChunk = 1000000000u;
    while (!(n.size() == 1 && n[0] == 0) && !n.empty()) {
      std::uint64_t remainder = 0;
      for (std::size_t i = n.size(); i-- > 0;) {
        const std::uint64_t current = (remainder << 32) | n[i];
        n[i] = static_cast<std::uint32_t>(current / kChunk);
        remainder = current % kChunk;
      }
      while (n.size() > 1 && n.back() == 0) n.pop_back();
      const bool last = n.size() == 1 && n[0] == 0;
      for (int d = 0; d < 9 && (!last || remainder != 0); ++d) {
        reversed.push_back(static_cast<char>('0' + remainder % 10));
        remainder /= 10;
      }
    }
    return {reversed.rbegin(), reversed.rend()};
  }

 private:
  std::vector<std::uint32_t> limbs_;
};

}  // namespace

ExactDecimal ExactDecimalOf(double value) {
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);  // |value| = fraction × 2^exponent
  std::uint64_t mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  int binaryExponent = exponent - 53;  // |value| = mantissa × 2^binaryExponent
  while (mantissa != 0 && (mantissa & 1) == 0) {
    mantissa >>= 1;
    ++binaryExponent;
  }
  BigUnsigned n(mantissa);
  int decimalExponent = 0;  // |value| = n × 10^decimalExponent
  if (binaryExponent >= 0) {
    n.shiftLeft(binaryExponent);
  } else {
    // m / 2^k = m × 5^k / 10^k
    for (int k = -binaryExponent; k > 0; k -= 13) {
      std::uint32_t power = 1;
      for (int i = 0; i < std::min(k, 13); ++i) power *= 5;  // 5^13 is the largest that fits
      n.multiply(power);
    }
    decimalExponent = binaryExponent;
  }
  ExactDecimal result;
  result.digits = n.decimal();
  result.pointPosition = static_cast<int>(result.digits.size()) + decimalExponent;
  while (!result.digits.empty() && result.digits.back() == '0') result.digits.pop_back();
  return result;
}

}  // namespace vestrix::protocol
