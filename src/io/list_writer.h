#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "io/fixed_text.h"

namespace cfg {

// A 32-bit integer right-aligned in 11 characters.
std::string format_integer(std::int32_t value);
// A 64-bit real in 25 characters with 17 significant digits: fixed notation for
// zero and magnitudes from 0.1 up to below 1e17 (right-aligned in 20, then 5
// blanks), otherwise d.ddddddddddddddddE+xxx right-aligned in 25.
std::string format_real(double value);

// One list-directed output record. The line starts with a blank; numbers are
// preceded by a separator blank; a text item directly after another text item
// joins it without one.
class ListLine {
 public:
  ListLine() : text_(" ") {}

  ListLine& operator<<(std::string_view text);
  ListLine& operator<<(const char* text) { return *this << std::string_view(text); }
  ListLine& operator<<(const std::string& text) { return *this << std::string_view(text); }
  template <std::size_t N>
  ListLine& operator<<(const FixedText<N>& text) { return *this << text.view(); }
  ListLine& operator<<(std::int32_t value);
  ListLine& operator<<(double value);

  // Appends to an existing buffer without reformatting what is there.
  void reserve(std::size_t size) { text_.reserve(size); }
  const std::string& str() const { return text_; }

 private:
  void separate();
  std::string text_;
  bool has_items_ = false;
  bool last_was_text_ = false;
};

// A whole list-directed record with its line end, built from the items given.
template <class... Items>
std::string list_record(const Items&... items) {
  ListLine line;
  (line << ... << items);
  return line.str() + '\n';
}

}  // namespace cfg
