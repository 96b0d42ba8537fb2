#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "io/line_source.h"
#include "io/output_writer.h"

namespace cfg {

// What the screen's last line shows so far: the text written since the last
// line end by any ScreenLineWriter. The line editor needs it when a question
// ends without a line end (the pause), so that it redraws the edited answer
// after the question instead of over it.
class ScreenLine {
 public:
  void note(const char* text, std::size_t size);
  // The answer typed on the line ended it.
  void clear() { text_.clear(); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Writes to a file descriptor, as DescriptorWriter does, and notes what it
// delivers on a ScreenLine. Everything the program prints while answers are
// edited passes through one of these.
class ScreenLineWriter : public DescriptorWriter {
 public:
  ScreenLineWriter(int descriptor, ScreenLine& screen, std::size_t buffer_size = kBufferSize)
      : DescriptorWriter(descriptor, buffer_size), screen_(screen) {}
  ~ScreenLineWriter() override { flush(); }

 protected:
  void deliver(std::string_view text) override;

 private:
  ScreenLine& screen_;
};

#ifdef CONFIG_HAVE_READLINE

struct ReadlineSettings {
  std::FILE* input = stdin;
  // Where the typed line is echoed and redrawn while it is edited.
  std::FILE* echo = stdout;
  // Earlier answers are read from and added to this file; empty: none is kept.
  std::string history_file;
  // What the screen already shows left of the cursor; may be null.
  ScreenLine* screen = nullptr;
};

// Keyboard lines read with line editing: the arrow keys, Home/End, Ctrl-A/E
// and the rest of the usual editing keys, and Up/Down recalling the earlier
// non-empty answers of this run. The line handed on is exactly what the user
// typed and accepted, so the reads built on it behave as with plain lines.
// End of input (Ctrl-D on an empty line) ends the lines as a pipe's end does.
//
// The line editor's state is global: only one of these may exist at a time.
class ReadlineLines : public LineSource {
 public:
  ReadlineLines(std::string name, ReadlineSettings settings);
  ~ReadlineLines() override;
  ReadlineLines(const ReadlineLines&) = delete;
  ReadlineLines& operator=(const ReadlineLines&) = delete;

  bool next_line(std::string_view& line) override;
  const std::string& name() const override { return name_; }
  long line_number() const override { return line_number_; }

  // Lines kept in a history file, the newest ones.
  static constexpr int kHistoryFileLines = 1000;

 private:
  void remember(const std::string& line);

  std::string name_;
  ReadlineSettings settings_;
  std::string line_;
  long line_number_ = 0;
};

#endif  // CONFIG_HAVE_READLINE

}  // namespace cfg
