#include "io/shortest_real.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace cfg {

std::string shortest_real_text(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  std::string text = std::signbit(value) ? "-" : "";
  if (value == 0) return text + "0.0";
  // The shortest digits that read back, as d.ddde[+-]x.
  char buffer[32];
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
  const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = scientific.find('e');
  std::string digits(scientific.substr(0, e));
  if (digits.size() > 1) digits.erase(1, 1);  // the point
  int exponent = 0;
  const char* sign_or_digit = scientific.data() + e + 1;
  if (*sign_or_digit == '+') ++sign_or_digit;
  std::from_chars(sign_or_digit, result.ptr, exponent);
  const int point = exponent + 1;  // digits before the decimal point
  const int count = static_cast<int>(digits.size());
  if (point > -4 && point <= 15) {
    if (point >= count) {
      text.append(digits).append(static_cast<std::size_t>(point - count), '0').append(".0");
    } else if (point > 0) {
      text.append(digits, 0, static_cast<std::size_t>(point)).append(".").append(digits, static_cast<std::size_t>(point));
    } else {
      text.append("0.").append(static_cast<std::size_t>(-point), '0').append(digits);
    }
    return text;
  }
  text += digits.substr(0, 1);
  // Appended piece by piece, here and above: GCC 12 at -O3 takes "." +
  // std::string for an overlapping copy (a false -Wrestrict).
  if (count > 1) text.append(".").append(digits, 1);
  const int shown = point - 1;
  text += shown < 0 ? "e-" : "e+";
  const int magnitude = std::abs(shown);
  if (magnitude < 10) text += '0';
  text += std::to_string(magnitude);
  return text;
}

}  // namespace cfg
