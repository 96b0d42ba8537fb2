#include "io/list_writer.h"

#include <cmath>
#include <cstring>

#include "io/decimal_conversion.h"

namespace cfg {

namespace {

constexpr std::size_t kFixedWidth = 20;
constexpr std::uint64_t kTenTo8 = 100'000'000;
constexpr std::uint64_t kTenTo16 = kTenTo8 * kTenTo8;

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void put_8_digits(char* out, std::uint32_t value) {
  const std::uint32_t high = value / 10000;
  const std::uint32_t low = value % 10000;
  std::memcpy(out, kDigitPairs + 2 * (high / 100), 2);
  std::memcpy(out + 2, kDigitPairs + 2 * (high % 100), 2);
  std::memcpy(out + 4, kDigitPairs + 2 * (low / 100), 2);
  std::memcpy(out + 6, kDigitPairs + 2 * (low % 100), 2);
}

void put_17_digits(char* out, std::uint64_t value) {
  out[0] = static_cast<char>('0' + value / kTenTo16);
  value %= kTenTo16;
  put_8_digits(out + 1, static_cast<std::uint32_t>(value / kTenTo8));
  put_8_digits(out + 9, static_cast<std::uint32_t>(value % kTenTo8));
}

// Places `text` so that it ends at `end`.
void put_right_aligned(char* end, std::string_view text) { std::memcpy(end - text.size(), text.data(), text.size()); }

// Fixed notation ends at the 20th character of the field; 5 blanks follow.
void put_fixed(char* field, bool negative, const char* digits, int exponent) {
  const std::size_t length = 18U + (exponent < 0 ? 1U : 0U) + (negative ? 1U : 0U);
  char* p = field + kFixedWidth - length;
  if (negative) *p++ = '-';
  if (exponent < 0) {
    *p++ = '0';
    *p++ = '.';
    std::memcpy(p, digits, 17);
    return;
  }
  const auto integer_digits = static_cast<std::size_t>(exponent + 1);
  std::memcpy(p, digits, integer_digits);
  p += integer_digits;
  *p++ = '.';
  std::memcpy(p, digits + integer_digits, 17 - integer_digits);
}

// d.ddddddddddddddddE+xxx, right-aligned in the whole field.
void put_exponent_form(char* field, bool negative, const char* digits, int exponent) {
  char* p = field + kRealWidth - 23U - (negative ? 1U : 0U);
  if (negative) *p++ = '-';
  *p++ = digits[0];
  *p++ = '.';
  std::memcpy(p, digits + 1, 16);
  p += 16;
  *p++ = 'E';
  *p++ = exponent < 0 ? '-' : '+';
  const auto magnitude = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
  *p++ = static_cast<char>('0' + magnitude / 100);
  std::memcpy(p, kDigitPairs + 2 * (magnitude % 100), 2);
}

}  // namespace

char* put_integer_field(char* field, std::int32_t value) {
  std::memset(field, ' ', kIntegerWidth);
  char* const end = field + kIntegerWidth;
  char* p = end;
  std::uint32_t magnitude = value < 0 ? 0U - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  for (; magnitude >= 100; magnitude /= 100) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (magnitude % 100), 2);
  }
  if (magnitude >= 10) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * magnitude, 2);
  } else {
    *--p = static_cast<char>('0' + magnitude);
  }
  if (value < 0) *--p = '-';
  return end;
}

char* put_real_field(char* field, double value) {
  std::memset(field, ' ', kRealWidth);
  char* const end = field + kRealWidth;
  if (std::isnan(value)) {
    put_right_aligned(end, "NaN");
  } else if (std::isinf(value)) {
    put_right_aligned(end, value > 0 ? "Infinity" : "-Infinity");
  } else if (value == 0.0) {
    put_right_aligned(field + kFixedWidth, std::signbit(value) ? "-0.0000000000000000" : "0.0000000000000000");
  } else {
    const DecimalDigits decimal = seventeen_digits(std::fabs(value));
    char digits[17];
    put_17_digits(digits, decimal.digits);
    if (decimal.exponent >= -1 && decimal.exponent <= 16) {
      put_fixed(field, value < 0, digits, decimal.exponent);
    } else {
      put_exponent_form(field, value < 0, digits, decimal.exponent);
    }
  }
  return end;
}

std::string format_integer(std::int32_t value) {
  char field[kIntegerWidth];
  put_integer_field(field, value);
  return std::string(field, sizeof field);
}

std::string format_real(double value) {
  char field[kRealWidth];
  put_real_field(field, value);
  return std::string(field, sizeof field);
}

// Every item but a text after a text starts with a blank: the separator, or
// for the first item the line's leading blank.
std::string file_text_item(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  const std::string_view used = last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
  const std::size_t digits = used.find_first_not_of("0123456789");
  const bool looks_like_repeat = digits != std::string_view::npos && digits > 0 && used[digits] == '*';
  const bool reads_back = !used.empty() && used.find_first_of(" \t,/'\"\r") == std::string_view::npos &&
                          !looks_like_repeat;
  if (reads_back) return std::string(text);
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c;
    if (c == '\'') quoted += c;
  }
  quoted += '\'';
  return quoted;
}

}  // namespace cfg
