#include "io/line_source.h"

#include <algorithm>

namespace cfg {

void drop_carriage_return(std::string_view& line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
}

TextLines::TextLines(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) {}

bool TextLines::next_line(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  const std::size_t end = text_.find('\n', position_);
  const std::size_t stop = end == std::string::npos ? text_.size() : end;
  line = std::string_view(text_).substr(position_, stop - position_);
  position_ = end == std::string::npos ? text_.size() : end + 1;
  ++line_number_;
  drop_carriage_return(line);
  return true;
}

long TextLines::count_lines() const {
  if (text_.empty()) return 0;
  const auto line_ends = std::count(text_.begin(), text_.end(), '\n');
  return static_cast<long>(line_ends) + (text_.back() == '\n' ? 0 : 1);
}

void TextLines::rewind() {
  position_ = 0;
  line_number_ = 0;
}

bool StreamLines::next_line(std::string_view& line) {
  if (!std::getline(stream_, line_)) return false;
  line = line_;
  ++line_number_;
  drop_carriage_return(line);
  return true;
}

}  // namespace cfg
