#include "io/record_reader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "io/decimal_conversion.h"
#include "io/errors.h"

namespace cfg {

namespace {

// A CR inside a line separates like a blank (the one before the LF is gone).
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool ends_value(char c) { return is_blank(c) || c == ',' || c == '/'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_quote(char c) { return c == '\'' || c == '"'; }

bool equals_ignoring_case(std::string_view text, std::string_view lower_case_word) {
  if (text.size() != lower_case_word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != lower_case_word[i]) return false;
  }
  return true;
}

std::string describe(const ItemRef& item) {
  if (std::holds_alternative<std::int32_t*>(item)) return "an integer";
  if (std::holds_alternative<double*>(item)) return "a real number";
  return "a text";
}

[[noreturn]] void fail(const LineSource& lines, const std::string& what) {
  throw FatalError(lines.name() + ", line " + std::to_string(lines.line_number()) + ": " + what);
}

[[noreturn]] void fail_at_end(const LineSource& lines, const std::string& expected) {
  if (lines.name() == "keyboard") throw FatalError("keyboard: input ended while " + expected + " was expected");
  const std::string where = lines.line_number() == 0 ? "the file is empty"
                                                     : "the file ends after line " + std::to_string(lines.line_number());
  throw FatalError(lines.name() + ": " + where + " while " + expected + " was expected");
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

namespace {

// One value as it stands in the input: its text, and whether it was quoted.
struct Value {
  std::string_view text;
  bool quoted = false;
};

// The reading position of one record within the line source.
class RecordScan {
 public:
  RecordScan(LineSource& lines, std::string& line, std::string& quoted) : lines_(lines), line_(line), quoted_(quoted) {}

  bool next_line() {
    pos_ = 0;
    return lines_.next_line(line_);
  }

  // The first character of the next item, value separator or slash, moving to
  // further lines as needed; `expected` names the item for the end-of-input
  // report.
  char next_char(const ItemRef& expected) {
    for (;;) {
      while (pos_ < line_.size() && is_blank(line_[pos_])) ++pos_;
      if (pos_ < line_.size()) return line_[pos_];
      if (!next_line()) fail_at_end(lines_, describe(expected));
    }
  }
  void skip_char() { ++pos_; }

  // A repeat count r* at the reading position: digits followed by an asterisk.
  // Zero when there is none.
  std::int32_t take_repeat_count() {
    std::size_t end = pos_;
    while (end < line_.size() && is_digit(line_[end])) ++end;
    if (end == pos_ || end >= line_.size() || line_[end] != '*') return 0;
    std::int32_t count = 0;
    const std::string_view digits = std::string_view(line_).substr(pos_, end - pos_);
    if (!parse_integer(digits, count) || count == 0) {
      fail(lines_, "a repeat count must be from 1 to 2147483647, found \"" + std::string(digits) + "*\"");
    }
    pos_ = end + 1;
    return count;
  }
  // After r*: true when no value follows (a repeated null).
  bool at_value_end() const { return pos_ >= line_.size() || ends_value(line_[pos_]); }

  // The value at the reading position. A quoted text may go on over line
  // ends, which add nothing to it; a doubled quote stands for one.
  Value take_value(const ItemRef& item) {
    if (!is_quote(line_[pos_])) {
      const std::size_t start = pos_;
      while (pos_ < line_.size() && !ends_value(line_[pos_])) ++pos_;
      return {std::string_view(line_).substr(start, pos_ - start), false};
    }
    const char quote = line_[pos_++];
    quoted_.clear();
    for (;;) {
      if (pos_ >= line_.size()) {
        if (!next_line()) fail_at_end(lines_, describe(item));
        continue;
      }
      const char c = line_[pos_++];
      if (c == quote) {
        if (pos_ < line_.size() && line_[pos_] == quote) {
          ++pos_;
        } else {
          break;
        }
      }
      quoted_ += c;
    }
    if (!at_value_end()) fail(lines_, "a quoted text must be followed by a blank, comma, slash or line end");
    return {quoted_, true};
  }

  void assign(const ItemRef& item, const Value& value) const {
    if (const auto* text = std::get_if<TextField>(&item)) {
      for (std::size_t i = 0; i < text->length; ++i) text->chars[i] = i < value.text.size() ? value.text[i] : ' ';
      return;
    }
    const bool ok = !value.quoted && (std::holds_alternative<std::int32_t*>(item)
                                          ? parse_integer(value.text, *std::get<std::int32_t*>(item))
                                          : parse_real(value.text, *std::get<double*>(item)));
    if (!ok) {
      const std::string shown = value.quoted ? "'" + std::string(value.text) + "'" : std::string(value.text);
      fail(lines_, "expected " + describe(item) + ", found \"" + shown + "\"");
    }
  }

 private:
  LineSource& lines_;
  std::string& line_;
  std::string& quoted_;
  std::size_t pos_ = 0;
};

}  // namespace

void RecordReader::read_items(std::span<const ItemRef> items) {
  RecordScan scan(lines_, line_, quoted_);
  if (!scan.next_line()) fail_at_end(lines_, items.empty() ? std::string("a line") : describe(items[0]));

  std::size_t next = 0;
  bool after_separator = true;  // at the start, and after a comma: a comma now is a null value
  while (next < items.size()) {
    const char c = scan.next_char(items[next]);
    if (c == ',') {
      scan.skip_char();
      if (after_separator) ++next;  // a null value: the item keeps its value
      after_separator = true;
      continue;
    }
    if (c == '/') return;
    after_separator = false;

    if (const std::int32_t count = scan.take_repeat_count(); count > 0) {
      const auto repeats = std::min(static_cast<std::size_t>(count), items.size() - next);
      if (scan.at_value_end()) {
        next += repeats;  // r*: repeated nulls
        continue;
      }
      const Value value = scan.take_value(items[next]);
      for (std::size_t i = 0; i < repeats; ++i) scan.assign(items[next++], value);
      continue;
    }
    scan.assign(items[next], scan.take_value(items[next]));
    ++next;
  }
}

bool RecordReader::skip_record() { return lines_.next_line(line_); }

}  // namespace cfg
