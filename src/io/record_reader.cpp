#include "io/record_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "io/eight_characters.h"
#include "io/errors.h"
#include "io/message_text.h"

namespace cfg {

namespace {

// A CR inside a line separates like a blank (the one before the LF is gone).
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

constexpr std::array<bool, 256> kEndsValue = [] {
  std::array<bool, 256> table{};
  // The line end is here for scans that run to the end of a line.
  for (const char c : {' ', '\t', '\r', '\n', ',', '/'}) table[static_cast<unsigned char>(c)] = true;
  return table;
}();
bool ends_value(char c) { return kEndsValue[static_cast<unsigned char>(c)]; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_quote(char c) { return c == '\'' || c == '"'; }

// The first character after the run of blanks (' ') at `p`. Files written
// with fixed-width fields hold long runs of blanks; a line end follows every
// line in memory and stops the run.
const char* skip_spaces(const char* p) {
  if constexpr (kEightAtOnce) {
    std::size_t blanks = 8;
    while (blanks == 8) {
      blanks = leading_blanks(p);
      p += blanks;
    }
  } else {
    while (*p == ' ') ++p;
  }
  return p;
}

// The position of the first character at or after `pos` that is not a blank,
// a tab or a CR.
std::size_t skip_blanks(std::string_view line, std::size_t pos) {
  for (;;) {
    pos = static_cast<std::size_t>(skip_spaces(line.data() + pos) - line.data());
    if (pos >= line.size() || !is_blank(line[pos])) return pos;
    ++pos;  // a tab or CR
  }
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

// One value as it stands in the input: its text, and whether it was quoted.
struct Value {
  std::string_view text;
  bool quoted = false;
};

// The reading position of one record within the line source.
class RecordScan {
 public:
  RecordScan(RecordReader& reader, std::string& quoted) : reader_(reader), lines_(reader.lines()), quoted_(quoted) {}

  bool next_line() {
    pos_ = 0;
    return reader_.take_line(line_);
  }

  // The first character of the next item, value separator or slash, moving to
  // further lines as needed; `expected` names the item for the end-of-input
  // report.
  char next_char(const ItemRef& expected) {
    for (;;) {
      pos_ = skip_blanks(line_, pos_);
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
    const std::string_view digits = line_.substr(pos_, end - pos_);
    if (!parse_integer(digits, count) || count == 0) {
      fail(lines_, "a repeat count must be from 1 to 2147483647, found \"" + printable(digits) + "*\"");
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
      const char* const start = line_.data() + pos_;
      const char* const end = line_.data() + line_.size();
      const char* p = start;
      while (p != end && !ends_value(*p)) ++p;
      pos_ += static_cast<std::size_t>(p - start);
      return {std::string_view(start, static_cast<std::size_t>(p - start)), false};
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

  // A real item read straight from the line, the common case: the number must
  // reach a separator or the line end, else the value as a whole is reported.
  void read_real(double& target, const ItemRef& item) {
    const std::string_view rest = line_.substr(pos_);
    double value = 0;
    const std::size_t length = read_real_prefix(rest, value);
    if (length == 0 || (length < rest.size() && !ends_value(rest[length]))) {
      assign(item, take_value(item));
      return;
    }
    target = value;
    pos_ += length;
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
      std::string message = "expected " + describe(item) + ", found \"";
      if (value.quoted) message += '\'';
      message += printable(value.text);
      if (value.quoted) message += '\'';
      fail(lines_, message + "\"");
    }
  }

 private:
  RecordReader& reader_;
  LineSource& lines_;
  std::string_view line_;  // the line being read, owned by the line source
  std::string& quoted_;
  std::size_t pos_ = 0;
};

}  // namespace

void RecordReader::read_items(std::span<const ItemRef> items) {
  RecordScan scan(*this, quoted_);
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
    if (double* const* real = std::get_if<double*>(&items[next])) {
      scan.read_real(**real, items[next]);
    } else {
      scan.assign(items[next], scan.take_value(items[next]));
    }
    ++next;
  }
}

bool RecordReader::skip_record() {
  std::string_view line;
  return take_line(line);
}

bool RecordReader::take_line(std::string_view& line) {
  const GivenBack given_back = std::exchange(given_back_, GivenBack::nothing);
  if (given_back == GivenBack::line) line = given_back_line_;
  if (given_back != GivenBack::nothing) return given_back == GivenBack::line;
  return lines_.next_line(line);
}

namespace plain {

namespace {

// A value ends at a blank or at the line end; a comma, slash, tab or anything
// else after it is left to the general way.
const char* plain_end(const char* p, const char* end) { return p == end || *p == ' ' ? p : nullptr; }

}  // namespace

const char* read_value(const char* p, const char* end, std::int32_t& value) {
  p = skip_spaces(p);
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  std::uint64_t magnitude = 0;
  std::size_t count = 0;
  if constexpr (kEightAtOnce) {
    count = leading_digits(p, magnitude);
  } else {
    for (; count < 8 && is_digit(p[count]); ++count) magnitude = magnitude * 10 + static_cast<std::uint64_t>(p[count] - '0');
  }
  const char* const digits = p;
  p += count;
  if (count == (kEightAtOnce ? 8 : 0)) {
    // 2147483648 has 10 digits; an 11th, or a value beyond 32 bits, is the
    // general way's to report.
    while (p - digits < 11 && is_digit(*p)) magnitude = magnitude * 10 + static_cast<std::uint64_t>(*p++ - '0');
    if (magnitude > (negative ? 2147483648U : 2147483647U) || p - digits > 10) return nullptr;
  }
  if (p == digits || p > end) return nullptr;
  p = plain_end(p, end);
  if (p != nullptr) value = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude));
  return p;
}

const char* read_value(const char* p, const char* end, double& value) {
  p = skip_spaces(p);
  if (p >= end) return nullptr;
  double result = 0;
  const std::size_t length = read_real_prefix(std::string_view(p, static_cast<std::size_t>(end - p)), result);
  if (length == 0) return nullptr;
  p = plain_end(p + length, end);
  if (p != nullptr) value = result;
  return p;
}

const char* read_value(const char* p, const char* end, TextField text) {
  p = skip_spaces(p);
  if (p >= end || is_digit(*p) || is_quote(*p) || *p == '+' || *p == '-' || ends_value(*p)) return nullptr;
  const char* const start = p;
  while (!ends_value(*p)) ++p;  // the line end stops it
  const auto length = static_cast<std::size_t>(p - start);
  p = plain_end(p, end);
  if (p == nullptr) return nullptr;
  for (std::size_t i = 0; i < text.length; ++i) text.chars[i] = i < length ? start[i] : ' ';
  return p;
}

}  // namespace plain

}  // namespace cfg
