#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cfg {

// Where list-directed reads take their lines from: a file's text or the
// keyboard. Lines come without their line end; a CR before the LF is dropped.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // The next line, or false at the end of the input. The line stays valid
  // until the next call. In memory a line end (LF or CR) follows it, and
  // after that at least kLinePadding - 1 more readable characters, so that a
  // reader may look at sixteen characters at once anywhere in the line.
  virtual bool next_line(std::string_view& line) = 0;
  // "data.dat", "keyboard": named in every error report.
  virtual const std::string& name() const = 0;
  // Number of the line last returned (1 for the first), 0 before any.
  virtual long line_number() const = 0;
};

inline constexpr std::size_t kLinePadding = 16;

// The lines of a file already read whole into memory.
class TextLines : public LineSource {
 public:
  TextLines(std::string name, std::string text);

  bool next_line(std::string_view& line) override;
  const std::string& name() const override { return name_; }
  long line_number() const override { return line_number_; }

  // Lines in the whole text; a last line without a line end counts too.
  long count_lines() const;
  void rewind();

 private:
  std::string name_;
  std::string text_;  // the file's text, then kLinePadding line ends
  std::size_t length_;  // of the file's text
  std::size_t position_ = 0;
  long line_number_ = 0;
};

// The lines read from a file descriptor, such as standard input when it is
// not a terminal. Text is read in blocks as the lines are asked for; a last
// line without a line end counts too.
class DescriptorLines : public LineSource {
 public:
  DescriptorLines(std::string name, int descriptor) : name_(std::move(name)), descriptor_(descriptor) {}

  bool next_line(std::string_view& line) override;
  const std::string& name() const override { return name_; }
  long line_number() const override { return line_number_; }

 private:
  // Reads the next block after what is pending; false at the end of the
  // input or on a read error, which ends the lines as the end does.
  bool read_more();

  std::string name_;
  int descriptor_;
  std::string pending_;  // read, not yet handed out, from pending_start_ on
  std::size_t pending_start_ = 0;
  bool ended_ = false;
  std::string line_;  // with kLinePadding line ends after it
  long line_number_ = 0;
};

// Removes one CR left at the end of a line read from a CR LF text.
void drop_carriage_return(std::string_view& line);

// `line` as a line source hands it out: kLinePadding line ends are added to
// the storage, the view returned covers the line alone.
std::string_view padded_line(std::string& line);

}  // namespace cfg
