#include "io/number_parsing.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "io/decimal_conversion.h"

namespace cfg {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool equals_ignoring_case(std::string_view text, std::string_view lower_case_word) {
  if (text.size() != lower_case_word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != lower_case_word[i]) return false;
  }
  return true;
}

// Infinity, Inf and NaN in any case; NaN may carry a note in parentheses.
bool parse_special_real(std::string_view word, bool negative, double& value) {
  if (equals_ignoring_case(word, "inf") || equals_ignoring_case(word, "infinity")) {
    value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return true;
  }
  const bool nan = equals_ignoring_case(word, "nan") ||
                   (word.size() >= 5 && equals_ignoring_case(word.substr(0, 4), "nan(") && word.back() == ')' &&
                    word.substr(4, word.size() - 5).find(')') == std::string_view::npos);
  if (!nan) return false;
  value = std::copysign(std::numeric_limits<double>::quiet_NaN(), negative ? -1.0 : 1.0);
  return true;
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
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  if (!is_digit(text[0]) && text[0] != '.') return parse_special_real(text, negative, value);

  // digits [. digits], at least one digit in all. The significant digits
  // (leading zeros aside) are gathered for the fast conversion, which takes
  // up to 19 of them; more wrap around harmlessly and take the slow way.
  std::uint64_t significant = 0;
  std::size_t pos = 0;
  const auto skip_zeros = [&] {
    while (pos < text.size() && text[pos] == '0') ++pos;
  };
  const auto gather_digits = [&] {
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
  if (!any_digit) return false;
  const std::string_view mantissa = text.substr(0, pos);

  // The exponent: a letter E, D or Q with an optional sign, or a sign alone.
  long exponent = 0;
  bool exponent_negative = false;
  bool plain_e = true;  // the text is already in the form from_chars reads
  if (pos < text.size()) {
    const char letter = text[pos];
    if (letter == 'e' || letter == 'E') {
      ++pos;
    } else if (letter == 'd' || letter == 'D' || letter == 'q' || letter == 'Q') {
      ++pos;
      plain_e = false;
    } else if (letter != '+' && letter != '-') {
      return false;
    } else {
      plain_e = false;
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) exponent_negative = text[pos++] == '-';
    const std::size_t exponent_start = pos;
    for (; pos < text.size() && is_digit(text[pos]); ++pos) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[pos] - '0');
    }
    if (pos == exponent_start || pos != text.size()) return false;
  }
  if (exponent_negative) exponent = -exponent;

  if (significant_count <= 19) {
    if (const auto fast = decimal_to_double(significant, static_cast<int>(exponent) - fraction_count)) {
      value = negative ? -*fast : *fast;
      return true;
    }
  }

  double result = 0.0;
  std::from_chars_result converted{};
  if (plain_e) {
    converted = std::from_chars(text.data(), text.data() + text.size(), result);
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
    return true;
  }
  if (converted.ec != std::errc()) return false;
  value = negative ? -result : result;
  return true;
}

}  // namespace cfg
