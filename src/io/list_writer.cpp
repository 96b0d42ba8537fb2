#include "io/list_writer.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace cfg {

namespace {

constexpr int kIntegerWidth = 11;
constexpr int kRealWidth = 25;
constexpr int kFixedWidth = 20;
constexpr int kSignificantDigits = 17;

std::string right_aligned(std::string_view text, int width) {
  std::string field;
  if (static_cast<int>(text.size()) < width) field.assign(static_cast<std::size_t>(width) - text.size(), ' ');
  field.append(text);
  return field;
}

// Fixed notation of a value whose 17-digit mantissa is `digits` (no point) and
// whose decimal exponent is `exponent`, -1 <= exponent <= 16.
std::string fixed_notation(bool negative, std::string_view digits, int exponent) {
  std::string text = negative ? "-" : "";
  if (exponent < 0) {
    text += "0.";
    text += digits;
  } else {
    const auto integer_digits = static_cast<std::size_t>(exponent + 1);
    text += digits.substr(0, integer_digits);
    text += '.';
    text += digits.substr(integer_digits);
  }
  return text;
}

}  // namespace

std::string format_integer(std::int32_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return right_aligned(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)), kIntegerWidth);
}

std::string format_real(double value) {
  if (std::isnan(value)) return right_aligned("NaN", kRealWidth);
  if (std::isinf(value)) return right_aligned(value > 0 ? "Infinity" : "-Infinity", kRealWidth);
  if (value == 0.0) {
    const std::string zero = std::signbit(value) ? "-0.0000000000000000" : "0.0000000000000000";
    return right_aligned(zero, kFixedWidth) + std::string(kRealWidth - kFixedWidth, ' ');
  }

  // Correctly rounded 17 significant digits: d.dddddddddddddddde[+-]xx
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e_position = scientific.find('e');
  std::string digits;
  digits += scientific[0];
  digits += scientific.substr(2, e_position - 2);
  const int exponent = std::atoi(std::string(scientific.substr(e_position + 1)).c_str());
  const bool negative = value < 0;

  if (exponent >= -1 && exponent <= 16) {
    return right_aligned(fixed_notation(negative, digits, exponent), kFixedWidth) +
           std::string(kRealWidth - kFixedWidth, ' ');
  }
  std::string text = negative ? "-" : "";
  text += digits[0];
  text += '.';
  text += digits.substr(1);
  text += exponent < 0 ? "E-" : "E+";
  const std::string magnitude = std::to_string(std::abs(exponent));
  text += std::string(3 - std::min<std::size_t>(3, magnitude.size()), '0') + magnitude;
  return right_aligned(text, kRealWidth);
}

void ListLine::separate() {
  if (has_items_) text_ += ' ';
}

ListLine& ListLine::operator<<(std::string_view text) {
  if (!last_was_text_) separate();
  text_.append(text);
  has_items_ = true;
  last_was_text_ = true;
  return *this;
}

ListLine& ListLine::operator<<(std::int32_t value) {
  separate();
  text_ += format_integer(value);
  has_items_ = true;
  last_was_text_ = false;
  return *this;
}

ListLine& ListLine::operator<<(double value) {
  separate();
  text_ += format_real(value);
  has_items_ = true;
  last_was_text_ = false;
  return *this;
}

}  // namespace cfg
