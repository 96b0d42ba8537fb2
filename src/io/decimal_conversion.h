#pragma once

#include <cstdint>
#include <optional>

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

// digits * 10^exponent correctly rounded to the nearest double (ties to even),
// when that is a normal double and the fast way can decide the rounding;
// nothing otherwise (rarely), and the caller converts the text the slow way.
std::optional<double> decimal_to_double(std::uint64_t digits, int exponent);

}  // namespace cfg
