#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "io/fixed_text.h"

namespace cfg {

inline constexpr std::size_t kIntegerWidth = 11;
inline constexpr std::size_t kRealWidth = 25;

// A 32-bit integer right-aligned in 11 characters.
std::string format_integer(std::int32_t value);
// A 64-bit real in 25 characters with 17 significant digits: fixed notation for
// zero and magnitudes from 0.1 up to below 1e17 (right-aligned in 20, then 5
// blanks), otherwise d.ddddddddddddddddE+xxx right-aligned in 25.
std::string format_real(double value);

// The same fields written into a buffer of at least their width, without a
// temporary string; each returns the end of the field.
char* put_integer_field(char* field, std::int32_t value);
char* put_real_field(char* field, double value);

// One list-directed output record. The line starts with a blank, written
// before its first item; numbers are preceded by a separator blank; a text item
// directly after another text item joins it without one. A record without
// items is an empty line.
class ListLine {
 public:
  ListLine() : text_(&own_) { own_.reserve(kTypicalLength); }
  // Writes the record onto the end of `buffer` instead of a string of its own,
  // so that a file of many records is built without a copy per record.
  explicit ListLine(std::string& buffer) : text_(&buffer) {}
  ListLine(ListLine&& other) noexcept
      : own_(std::move(other.own_)),
        text_(other.text_ == &other.own_ ? &own_ : other.text_),
        last_was_text_(other.last_was_text_) {}
  ListLine(const ListLine&) = delete;
  ListLine& operator=(const ListLine&) = delete;

  // Items one at a time, or several at once, placed with one extension of
  // the text: texts (std::string_view, C strings, std::string, FixedText),
  // 32-bit integers and reals.
  template <class Item>
  ListLine& operator<<(const Item& item) {
    return add(item);
  }
  template <class... Items>
  ListLine& add(const Items&... items) {
    if constexpr (sizeof...(Items) > 0) {
      bool after_text = last_was_text_;
      std::size_t length = 0;
      ((length += width(as_item(items), after_text)), ...);
      const std::size_t start = text_->size();
      text_->resize(start + length);
      char* place = text_->data() + start;
      (put(place, as_item(items)), ...);
    }
    return *this;
  }

  void reserve(std::size_t size) { text_->reserve(text_->size() + size); }
  // The record so far, without its line end (the whole buffer for a line
  // written onto an existing one).
  const std::string& str() const { return *text_; }
  void end_record() { *text_ += '\n'; }
  // Empties the text, once it has been passed on; the next item joins or is
  // separated as if the text were still there.
  void clear() { text_->clear(); }
  // The finished record with its line end; the line is used up.
  std::string take_record() && {
    end_record();
    return std::move(*text_);
  }

 private:
  static constexpr std::size_t kTypicalLength = 120;

  static std::string_view as_item(std::string_view text) { return text; }
  static std::string_view as_item(const char* text) { return text; }
  static std::string_view as_item(const std::string& text) { return text; }
  template <std::size_t N>
  static std::string_view as_item(const FixedText<N>& text) {
    return text.view();
  }
  static std::int32_t as_item(std::int32_t value) { return value; }
  static double as_item(double value) { return value; }

  // The characters an item takes where it stands: a text after a text joins
  // it, every other item has a blank before it.
  static std::size_t width(std::string_view text, bool& after_text) {
    const std::size_t blank = after_text ? 0 : 1;
    after_text = true;
    return blank + text.size();
  }
  static std::size_t width(std::int32_t, bool& after_text) {
    after_text = false;
    return 1 + kIntegerWidth;
  }
  static std::size_t width(double, bool& after_text) {
    after_text = false;
    return 1 + kRealWidth;
  }
  void put(char*& place, std::string_view text) {
    if (!last_was_text_) *place++ = ' ';
    if (text.size() == 1) {
      *place = text[0];  // "(" and ")" of the report's long lines, without a call
    } else if (!text.empty()) {
      std::memcpy(place, text.data(), text.size());
    }
    place += text.size();
    last_was_text_ = true;
  }
  void put(char*& place, std::int32_t value) {
    *place++ = ' ';
    place = put_integer_field(place, value);
    last_was_text_ = false;
  }
  void put(char*& place, double value) {
    *place++ = ' ';
    place = put_real_field(place, value);
    last_was_text_ = false;
  }

  std::string own_;
  std::string* text_;
  bool last_was_text_ = false;
};

// A whole list-directed record with its line end, built from the items given.
template <class... Items>
std::string list_record(const Items&... items) {
  ListLine line;
  line.add(items...);
  return std::move(line).take_record();
}

// A text item for a file that the list-directed reader must give back as it
// was: the text itself when it reads back unquoted, otherwise the text in
// apostrophes with its apostrophes doubled. A blank name, one with a blank,
// comma or slash inside, or one that looks like a repeat count (2*) would
// otherwise be read as something else.
std::string file_text_item(std::string_view text);

// An item as a file holds it: a fixed text as file_text_item gives it, any
// other value as it is.
template <class T>
const T& file_item(const T& value) {
  return value;
}
template <std::size_t N>
std::string file_item(const FixedText<N>& text) {
  return file_text_item(text.view());
}

// The same record appended, with its line end, to the text of a whole file.
template <class... Items>
void append_list_record(std::string& text, const Items&... items) {
  ListLine line(text);
  line.add(items...);
  line.end_record();
}

}  // namespace cfg
