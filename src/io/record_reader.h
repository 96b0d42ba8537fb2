#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "io/fixed_text.h"
#include "io/line_source.h"
#include "io/number_parsing.h"

namespace cfg {

// A text field of a given length, filled by a read.
struct TextField {
  char* chars;
  std::size_t length;
};

// One item of a list-directed read.
using ItemRef = std::variant<std::int32_t*, double*, TextField>;

inline ItemRef item_ref(std::int32_t& value) { return &value; }
inline ItemRef item_ref(double& value) { return &value; }
template <std::size_t N>
ItemRef item_ref(FixedText<N>& text) { return TextField{text.chars.data(), N}; }

// Plain values: the form in which the files are written, read here without
// the general reader's machinery. A plain value starts at the first character
// after the blanks at `p` and ends at a blank or the line end `end` (a line end
// follows every line in memory); it is an integer of at most ten digits
// within 32 bits, with an optional sign, a real, or a text that starts with none of the characters
// that mean something else (a digit, a quote, a sign, a comma, a slash, a tab).
// Each returns the end of the value, or nullptr when the value is not plain,
// which the general reader then takes as it takes every other.
namespace plain {
const char* read_value(const char* p, const char* end, std::int32_t& value);
const char* read_value(const char* p, const char* end, double& value);
const char* read_value(const char* p, const char* end, TextField text);
template <std::size_t N>
const char* read_value(const char* p, const char* end, FixedText<N>& text) {
  return read_value(p, end, TextField{text.chars.data(), N});
}
}  // namespace plain

// List-directed input over a line source. Each read is one record: it starts
// on a new line, continues over further lines until its items are filled, and
// ignores the rest of its last line. Blanks, commas and line ends separate
// items; empty lines supply nothing; a slash ends the record and an empty value
// leaves its item unchanged; r*c and r* repeat a value or a null. Anything
// unreadable, and the end of the input, throws FatalError naming the source.
class RecordReader {
 public:
  explicit RecordReader(LineSource& lines) : lines_(lines) {}

  template <class... Items>
  void read(Items&... items) {
    if (read_plain_record(items...)) return;
    const ItemRef refs[] = {item_ref(items)...};
    read_items(refs);
  }
  // Any record, the general way.
  void read_items(std::span<const ItemRef> items);

  // A record that takes no items: skips one line. False at the end of input.
  bool skip_record();

  LineSource& lines() { return lines_; }
  // The next line: the one a plain read looked at and gave back, if any, else
  // the source's next. False at the end of input.
  bool take_line(std::string_view& line);

 private:
  // The common record, all its items plain values on its first line. False
  // for any other record: its first line (or the end of input) is given back
  // for the general way, and the items read so far hold what it gives them.
  template <class... Items>
  bool read_plain_record(Items&... items) {
    std::string_view line;
    if (!take_line(line)) {
      given_back_ = GivenBack::end;
      return false;
    }
    const char* p = line.data();
    const char* const end = p + line.size();
    if ((((p = plain::read_value(p, end, items)) != nullptr) && ...)) return true;
    given_back_ = GivenBack::line;
    given_back_line_ = line;
    return false;
  }

  enum class GivenBack { nothing, line, end };

  LineSource& lines_;
  std::string quoted_;  // the last quoted value
  GivenBack given_back_ = GivenBack::nothing;
  std::string_view given_back_line_;
};

}  // namespace cfg
