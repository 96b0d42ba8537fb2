#pragma once

#include <cstdint>
#include <optional>

#include "io/fixed_text.h"
#include "io/line_source.h"
#include "io/list_writer.h"
#include "io/output_writer.h"
#include "io/record_reader.h"

namespace cfg {

// The dialogue with the user: list-directed lines to standard output,
// list-directed reads and the two fixed-field reads from the keyboard, and the
// pause, which talks on standard error.
class Terminal {
 public:
  Terminal(LineSource& keyboard, OutputWriter& out, OutputWriter& err)
      : keyboard_(keyboard), reader_(keyboard), out_(out), err_(err) {}

  // One list-directed output line made of the items given.
  template <class... Items>
  void say(const Items&... items) {
    out_ << list_record(items...);
  }
  // A line built item by item, such as one holding every residue set.
  void say_line(const ListLine& line) { out_ << line.str() << '\n'; }
  // The part of a line built so far, passed on and emptied, so that a very
  // long line needs no buffer of its own length; say_line ends it.
  void say_part(ListLine& line) {
    out_ << line.str();
    line.clear();
  }
  // A bare line end.
  void blank_line() { out_ << '\n'; }

  // One list-directed read from the keyboard into the fields given; a null
  // value or a slash leaves a field as it was.
  template <class... Items>
  void ask(Items&... items) {
    out_.flush();
    reader_.read(items...);
  }
  // One list-directed read of an answer that is not kept in a field (a menu
  // choice): a null value or a slash gives 0.
  std::int32_t ask_choice();

  // The five lines printed for an answer outside the accepted set.
  void input_error();

  // The main-menu choice: the line's first two characters as an integer field
  // (blanks ignored, empty is 0). Nothing when they are not a number.
  std::optional<std::int32_t> read_menu_choice();
  // The save question: the line's first four characters as text.
  FixedText<4> read_answer_line();

  // Waits for the user to type go; any other line ends the program (status 0).
  void pause();

  OutputWriter& out() { return out_; }
  OutputWriter& err() { return err_; }

 private:
  std::string next_keyboard_line(const char* expected);

  LineSource& keyboard_;
  RecordReader reader_;
  OutputWriter& out_;
  OutputWriter& err_;
};

}  // namespace cfg
