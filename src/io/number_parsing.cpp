#include "io/number_parsing.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

#include "io/decimal_conversion.h"
#include "io/eight_characters.h"

namespace cfg {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Eight digits at once: the value of the 8 characters at `p` when all are
// digits.
bool take_eight_digits(const char* p, std::uint64_t& value) {
  if constexpr (kEightAtOnce) {
    return leading_digits(p, value) == 8;
  } else {
    return false;
  }
}

bool equals_ignoring_case(std::string_view text, std::string_view lower_case_word) {
  if (text.size() != lower_case_word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != lower_case_word[i]) return false;
  }
  return true;
}

bool starts_ignoring_case(std::string_view text, std::string_view lower_case_word) {
  return text.size() >= lower_case_word.size() && equals_ignoring_case(text.substr(0, lower_case_word.size()), lower_case_word);
}

// Infinity, Inf and NaN in any case; NaN may carry a note in parentheses,
// which ends at the first blank, comma or slash like any value. The length
// read, or 0.
std::size_t read_special_real(std::string_view word, bool negative, double& value) {
  if (starts_ignoring_case(word, "inf")) {
    value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return starts_ignoring_case(word, "infinity") ? 8 : 3;
  }
  if (!starts_ignoring_case(word, "nan")) return 0;
  value = std::copysign(std::numeric_limits<double>::quiet_NaN(), negative ? -1.0 : 1.0);
  if (word.size() == 3 || word[3] != '(') return 3;
  const std::size_t close = word.find_first_of(") \t\r,/", 4);
  return close != std::string_view::npos && word[close] == ')' ? close + 1 : 3;
}

// A value beyond the range of a double: plus or minus Infinity when it is at
// least 1, zero below (a result in the subnormal range is not out of range).
double out_of_range_value(std::string_view mantissa, long exponent, bool negative) {
  long scale = -1;  // power of ten of the first nonzero digit, before the exponent
  long position = static_cast<long>(mantissa.find('.'));
  if (position < 0) position = static_cast<long>(mantissa.size());
  for (std::size_t i = 0; i < mantissa.size(); ++i) {
    if (mantissa[i] == '.' || mantissa[i] == '0') continue;
    scale = static_cast<long>(i) < position ? position - static_cast<long>(i) - 1 : position - static_cast<long>(i);
    break;
  }
  const double magnitude = scale + exponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return negative ? -magnitude : magnitude;
}

}  // namespace

bool parse_integer(std::string_view text, std::int32_t& value) {
  // from_chars takes a minus sign but no plus sign.
  if (!text.empty() && text[0] == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text[0] == '-') return false;
  }
  std::int32_t result = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, result);
  if (error != std::errc() || end != last || text.empty()) return false;
  value = result;
  return true;
}

bool parse_real(std::string_view text, double& value) {
  double result = 0.0;
  if (text.empty() || read_real_prefix(text, result) != text.size()) return false;
  value = result;
  return true;
}

std::size_t read_real_prefix(std::string_view whole, double& value) {
  std::string_view text = whole;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const std::size_t sign_length = whole.size() - text.size();
  if (text.empty()) return 0;
  if (!is_digit(text[0]) && text[0] != '.') {
    const std::size_t length = read_special_real(text, negative, value);
    return length == 0 ? 0 : sign_length + length;
  }

  // digits [. digits], at least one digit in all. The significant digits
  // (leading zeros aside) are gathered for the fast conversion, which takes
  // up to 19 of them; more wrap around harmlessly and take the slow way.
  std::uint64_t significant = 0;
  std::size_t pos = 0;
  const auto skip_zeros = [&] {
    while (pos < text.size() && text[pos] == '0') ++pos;
  };
  const auto gather_digits = [&] {
    for (std::uint64_t eight = 0; pos + 8 <= text.size() && take_eight_digits(text.data() + pos, eight); pos += 8) {
      significant = significant * 100'000'000 + eight;
    }
    for (; pos < text.size(); ++pos) {
      const auto digit = static_cast<unsigned char>(text[pos] - '0');
      if (digit > 9) break;
      significant = significant * 10 + digit;
    }
  };
  skip_zeros();
  const std::size_t integer_start = pos;
  gather_digits();
  std::size_t significant_count = pos - integer_start;
  bool any_digit = pos > 0;
  int fraction_count = 0;
  if (pos < text.size() && text[pos] == '.') {
    const std::size_t fraction_start = ++pos;
    if (significant_count == 0) skip_zeros();
    const std::size_t significant_start = pos;
    gather_digits();
    significant_count += pos - significant_start;
    fraction_count = static_cast<int>(pos - fraction_start);
    any_digit = any_digit || fraction_count > 0;
  }
  if (!any_digit) return 0;
  const std::string_view mantissa = text.substr(0, pos);

  // The exponent: a letter E, D or Q with an optional sign, or a sign alone.
  long exponent = 0;
  bool exponent_negative = false;
  bool plain_e = true;  // the text is already in the form from_chars reads
  const char letter = pos < text.size() ? text[pos] : ' ';
  const bool e_letter = letter == 'e' || letter == 'E';
  const bool other_letter = letter == 'd' || letter == 'D' || letter == 'q' || letter == 'Q';
  if (e_letter || other_letter || letter == '+' || letter == '-') {
    if (e_letter || other_letter) ++pos;
    plain_e = e_letter;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) exponent_negative = text[pos++] == '-';
    const std::size_t exponent_start = pos;
    for (; pos < text.size() && is_digit(text[pos]); ++pos) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[pos] - '0');
    }
    if (pos == exponent_start) return 0;
  }
  if (exponent_negative) exponent = -exponent;
  const std::size_t length = sign_length + pos;

  if (significant_count <= 19) {
    if (const auto fast = decimal_to_double(significant, static_cast<int>(std::clamp<long>(exponent - fraction_count, -9999, 9999)))) {
      value = negative ? -*fast : *fast;
      return length;
    }
  }

  double result = 0.0;
  std::from_chars_result converted{};
  if (plain_e) {
    converted = std::from_chars(text.data(), text.data() + pos, result);
  } else {
    char buffer[80];
    if (mantissa.size() + 12 > sizeof buffer) {
      const std::string normalized = std::string(mantissa) + 'e' + std::to_string(exponent);
      converted = std::from_chars(normalized.data(), normalized.data() + normalized.size(), result);
    } else {
      mantissa.copy(buffer, mantissa.size());
      char* end = buffer + mantissa.size();
      *end++ = 'e';
      end = std::to_chars(end, buffer + sizeof buffer, exponent).ptr;
      converted = std::from_chars(buffer, end, result);
    }
  }
  if (converted.ec == std::errc::result_out_of_range) {
    value = out_of_range_value(mantissa, exponent, negative);
    return length;
  }
  if (converted.ec != std::errc()) return 0;
  value = negative ? -result : result;
  return length;
}

}  // namespace cfg
