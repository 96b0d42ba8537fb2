#include "io/record_reader.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "io/errors.h"

namespace cfg {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool ends_value(char c) { return is_blank(c) || c == ',' || c == '/'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_quote(char c) { return c == '\'' || c == '"'; }

bool equals_ignoring_case(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
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

[[noreturn]] void fail_at_end(const LineSource& lines, const ItemRef& item) {
  if (lines.name() == "keyboard") throw FatalError("keyboard: input ended while " + describe(item) + " was expected");
  throw FatalError(lines.name() + ": the file ends after line " + std::to_string(lines.line_number()) +
                   " while " + describe(item) + " was expected");
}

// A value as it stands on the line: its text, and whether it was quoted.
struct ValueText {
  std::string text;
  bool quoted = false;
};

// Reads the value that starts at `pos` (not a separator) and moves past it.
ValueText take_value(const std::string& line, std::size_t& pos) {
  ValueText value;
  if (is_quote(line[pos])) {
    const char quote = line[pos++];
    value.quoted = true;
    while (pos < line.size()) {
      if (line[pos] == quote) {
        if (pos + 1 < line.size() && line[pos + 1] == quote) {
          value.text += quote;
          pos += 2;
          continue;
        }
        ++pos;
        break;
      }
      value.text += line[pos++];
    }
    return value;
  }
  const std::size_t start = pos;
  while (pos < line.size() && !ends_value(line[pos])) ++pos;
  value.text.assign(line, start, pos - start);
  return value;
}

void assign(const LineSource& lines, const ItemRef& item, const ValueText& value) {
  if (const auto* text = std::get_if<TextField>(&item)) {
    for (std::size_t i = 0; i < text->length; ++i) text->chars[i] = i < value.text.size() ? value.text[i] : ' ';
    return;
  }
  const bool ok = !value.quoted && (std::holds_alternative<std::int32_t*>(item)
                                        ? parse_integer(value.text, *std::get<std::int32_t*>(item))
                                        : parse_real(value.text, *std::get<double*>(item)));
  if (!ok) fail(lines, "expected " + describe(item) + ", found \"" + value.text + "\"");
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
  std::size_t pos = 0;
  std::string normalized;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) normalized += text[pos++];
  const std::string_view unsigned_part = text.substr(pos);
  if (equals_ignoring_case(unsigned_part, "inf") || equals_ignoring_case(unsigned_part, "infinity")) {
    value = normalized == "-" ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return true;
  }
  if (equals_ignoring_case(unsigned_part, "nan")) {
    value = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  std::size_t mantissa_digits = 0;
  while (pos < text.size() && is_digit(text[pos])) {
    normalized += text[pos++];
    ++mantissa_digits;
  }
  if (pos < text.size() && text[pos] == '.') {
    normalized += text[pos++];
    while (pos < text.size() && is_digit(text[pos])) {
      normalized += text[pos++];
      ++mantissa_digits;
    }
  }
  if (mantissa_digits == 0) return false;
  if (pos < text.size()) {
    // The exponent: a letter E, D or Q with an optional sign, or a sign alone.
    const char c = text[pos];
    if (c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == 'q' || c == 'Q') {
      ++pos;
    } else if (c != '+' && c != '-') {
      return false;
    }
    normalized += 'e';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) normalized += text[pos++];
    std::size_t exponent_digits = 0;
    while (pos < text.size() && is_digit(text[pos])) {
      normalized += text[pos++];
      ++exponent_digits;
    }
    if (exponent_digits == 0 || pos != text.size()) return false;
  }
  // strtod rounds correctly and gives an infinity or a subnormal (or zero) for
  // values beyond the range of a double, as a Fortran runtime reads them.
  errno = 0;
  value = std::strtod(normalized.c_str(), nullptr);
  return true;
}

void RecordReader::read_items(std::span<const ItemRef> items) {
  std::string line;
  if (!lines_.next_line(line)) {
    if (items.empty()) fail_at_end(lines_, ItemRef(static_cast<std::int32_t*>(nullptr)));
    fail_at_end(lines_, items[0]);
  }
  std::size_t pos = 0;
  std::size_t next = 0;
  bool expecting_value = true;  // at the start, and after a comma
  long repeats_left = 0;
  std::optional<ValueText> repeated;  // empty: a repeated null

  while (next < items.size()) {
    if (repeats_left > 0) {
      if (repeated) assign(lines_, items[next], *repeated);
      ++next;
      --repeats_left;
      continue;
    }
    while (pos < line.size() && is_blank(line[pos])) ++pos;
    if (pos >= line.size()) {
      if (!lines_.next_line(line)) fail_at_end(lines_, items[next]);
      pos = 0;
      continue;
    }
    const char c = line[pos];
    if (c == ',') {
      ++pos;
      if (expecting_value) ++next;  // a null value: the item keeps its value
      expecting_value = true;
      continue;
    }
    if (c == '/') return;

    // A repeat count r*: digits immediately followed by an asterisk.
    std::size_t digits_end = pos;
    while (digits_end < line.size() && is_digit(line[digits_end])) ++digits_end;
    if (digits_end > pos && digits_end < line.size() && line[digits_end] == '*') {
      std::int32_t count = 0;
      if (!parse_integer(std::string_view(line).substr(pos, digits_end - pos), count) || count <= 0) {
        fail(lines_, "expected a repeat count before '*', found \"" + line.substr(pos, digits_end - pos) + "\"");
      }
      pos = digits_end + 1;
      if (pos >= line.size() || ends_value(line[pos])) {
        repeated.reset();
      } else {
        repeated = take_value(line, pos);
      }
      repeats_left = count;
      expecting_value = false;
      continue;
    }

    assign(lines_, items[next], take_value(line, pos));
    ++next;
    expecting_value = false;
  }
}

bool RecordReader::skip_record() {
  std::string line;
  return lines_.next_line(line);
}

}  // namespace cfg
