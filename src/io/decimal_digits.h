#pragma once

#include <cstdint>

namespace cfg {

// A positive value rounded to 17 significant decimal digits:
// value ~ digits * 10^(exponent - 16), with 10^16 <= digits < 10^17, so that
// `exponent` is the power of ten of the first digit.
struct DecimalDigits {
  std::uint64_t digits;
  int exponent;
};

// The 17 significant digits of a positive finite double, correctly rounded
// (ties to even), exactly as printf's "%.16e" gives them.
DecimalDigits seventeen_digits(double positive_value);

}  // namespace cfg
