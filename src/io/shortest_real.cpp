#include "io/shortest_real.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace cfg {

namespace {

// Positions of the decimal point from which the plain layout is used: the
// point after at most 15 digits, or up to three zeros after it.
constexpr int kLowestPlainPoint = -3;
constexpr int kHighestPlainPoint = 15;

}  // namespace

std::string shortest_real_text(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  std::string text;
  if (std::signbit(value)) {
    text += '-';
    value = -value;
  }
  if (value == 0) return text + "0.0";

  // The shortest digits, from d.ddde+xx.
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = scientific.find('e');
  std::string digits(1, scientific[0]);
  if (e > 1) digits.append(scientific.substr(2, e - 2));
  const int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());
  const int length = static_cast<int>(digits.size());
  const int point = exponent + 1;  // digits before the decimal point

  if (length <= point && point <= kHighestPlainPoint) {
    text += digits;
    text.append(static_cast<std::size_t>(point - length), '0');
    text += ".0";
  } else if (0 < point && point <= kHighestPlainPoint) {
    text.append(digits, 0, static_cast<std::size_t>(point));
    text += '.';
    text.append(digits, static_cast<std::size_t>(point));
  } else if (kLowestPlainPoint <= point && point <= 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-point), '0');
    text += digits;
  } else {
    text += digits[0];
    if (length > 1) {
      text += '.';
      text.append(digits, 1);
    }
    const int shown = point - 1;
    text += shown < 0 ? "e-" : "e+";
    const int magnitude = std::abs(shown);
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
  }
  return text;
}

}  // namespace cfg
