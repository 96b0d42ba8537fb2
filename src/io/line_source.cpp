#include "io/line_source.h"

#include <bit>
#include <cstdint>

#include "io/eight_characters.h"

namespace cfg {

void drop_carriage_return(std::string_view& line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
}

std::string_view padded_line(std::string& line) {
  const std::size_t length = line.size();
  line.append(kLinePadding, '\n');
  return std::string_view(line.data(), length);
}

TextLines::TextLines(std::string name, std::string text)
    : name_(std::move(name)), text_(std::move(text)), length_(text_.size()) {
  text_.append(kLinePadding, '\n');
}

namespace {

// The first line end at or after `p`; the padding holds one for a last line
// without its own. Lines of a set file are short, too short for memchr to
// pay: they are searched eight characters at a time.
const char* find_line_end(const char* p) {
  if constexpr (kEightAtOnce) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    for (;; p += 8) {
      const std::uint64_t zero_where_newline = load_eight(p) ^ (kOnes * '\n');
      // The lowest bit set marks the first byte that was zero, exactly.
      const std::uint64_t found = (zero_where_newline - kOnes) & ~zero_where_newline & kHighBits;
      if (found != 0) return p + std::countr_zero(found) / 8;
    }
  }
  while (*p != '\n') ++p;
  return p;
}

}  // namespace

bool TextLines::next_line(std::string_view& line) {
  if (position_ >= length_) return false;
  const char* const start = text_.data() + position_;
  const char* const stop = find_line_end(start);
  line = std::string_view(start, static_cast<std::size_t>(stop - start));
  position_ = static_cast<std::size_t>(stop - text_.data()) + 1;
  ++line_number_;
  drop_carriage_return(line);
  return true;
}

long TextLines::count_lines() const {
  if (length_ == 0) return 0;
  // Eight characters at a time: a byte that equals a line end, and only such
  // a byte, becomes 1, the others 0, and the bytes are summed lane by lane
  // (at most 255 words at once, so that no lane overflows).
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
  constexpr std::uint64_t kNewlines = 0x0A0A0A0A0A0A0A0A;
  constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FF;
  long line_ends = 0;
  std::size_t i = 0;
  while (i + 8 <= length_) {
    std::uint64_t lanes = 0;
    for (int words = 0; words < 255 && i + 8 <= length_; ++words, i += 8) {
      const std::uint64_t x = load_eight(text_.data() + i) ^ kNewlines;  // zero where a line end was
      lanes += ~(((x & kLow7) + kLow7) | x | kLow7) >> 7;
    }
    const std::uint64_t pairs = (lanes & kEvenBytes) + ((lanes >> 8) & kEvenBytes);
    line_ends += static_cast<long>((pairs * 0x0001000100010001) >> 48);
  }
  for (; i < length_; ++i) line_ends += text_[i] == '\n' ? 1 : 0;
  return line_ends + (text_[length_ - 1] == '\n' ? 0 : 1);
}

void TextLines::rewind() {
  position_ = 0;
  line_number_ = 0;
}

bool StreamLines::next_line(std::string_view& line) {
  if (!std::getline(stream_, line_)) return false;
  line = padded_line(line_);
  ++line_number_;
  drop_carriage_return(line);
  return true;
}

}  // namespace cfg
