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
    const ItemRef refs[] = {item_ref(items)...};
    read_items(refs);
  }
  void read_items(std::span<const ItemRef> items);

  // A record that takes no items: skips one line. False at the end of input.
  bool skip_record();

  LineSource& lines() { return lines_; }

 private:
  LineSource& lines_;
  std::string quoted_;  // the last quoted value
};

}  // namespace cfg
