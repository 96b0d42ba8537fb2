#include "io/line_source.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <unistd.h>

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

// Sixteen characters, in the compiler's portable vectors.
using Bytes = unsigned char __attribute__((vector_size(16)));
constexpr Bytes kNewlines = {'\n', '\n', '\n', '\n', '\n', '\n', '\n', '\n',
                             '\n', '\n', '\n', '\n', '\n', '\n', '\n', '\n'};

Bytes load_sixteen(const char* p) {
  Bytes block;
  std::memcpy(&block, p, 16);
  return block;
}

// The first line end at or after `p`; the padding holds one for a last line
// without its own, and room for the sixteen characters read at once.
const char* find_line_end(const char* p) {
  if constexpr (kEightAtOnce) {
    for (;; p += 16) {
      const auto found = load_sixteen(p) == kNewlines;  // all ones where a line end is
      std::uint64_t halves[2];
      std::memcpy(halves, &found, 16);
      if (halves[0] != 0) return p + std::countr_zero(halves[0]) / 8;
      if (halves[1] != 0) return p + 8 + std::countr_zero(halves[1]) / 8;
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
  // Sixteen characters at a time, in the compiler's portable vectors: a byte
  // that equals a line end compares to all ones (-1), which is subtracted
  // from a per-byte count; at most 255 blocks at once, so that no count
  // overflows, then the sixteen counts are added up.
  constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FF;
  long line_ends = 0;
  std::size_t i = 0;
  while (i + 16 <= length_) {
    Bytes counts = {};
    for (int blocks = 0; blocks < 255 && i + 16 <= length_; ++blocks, i += 16) {
      counts -= reinterpret_cast<Bytes>(load_sixteen(text_.data() + i) == kNewlines);
    }
    std::uint64_t halves[2];
    std::memcpy(halves, &counts, 16);
    for (const std::uint64_t half : halves) {
      const std::uint64_t pairs = (half & kEvenBytes) + ((half >> 8) & kEvenBytes);
      line_ends += static_cast<long>((pairs * 0x0001000100010001) >> 48);
    }
  }
  for (; i < length_; ++i) line_ends += text_[i] == '\n' ? 1 : 0;
  return line_ends + (text_[length_ - 1] == '\n' ? 0 : 1);
}

void TextLines::rewind() {
  position_ = 0;
  line_number_ = 0;
}

bool DescriptorLines::next_line(std::string_view& line) {
  std::size_t end = pending_.find('\n', pending_start_);
  while (end == std::string::npos) {
    const std::size_t searched = pending_.size() - pending_start_;
    if (!read_more()) break;
    end = pending_.find('\n', searched);  // what was pending now starts at 0
  }
  if (end == std::string::npos) {
    if (pending_start_ == pending_.size()) return false;
    end = pending_.size();
  }
  line_.assign(pending_, pending_start_, end - pending_start_);
  pending_start_ = std::min(end + 1, pending_.size());
  line = padded_line(line_);
  ++line_number_;
  drop_carriage_return(line);
  return true;
}

bool DescriptorLines::read_more() {
  constexpr std::size_t kBlock = 4096;
  if (ended_) return false;
  pending_.erase(0, pending_start_);
  pending_start_ = 0;
  const std::size_t old_size = pending_.size();
  pending_.resize(old_size + kBlock);
  ssize_t got = 0;
  do {
    got = ::read(descriptor_, pending_.data() + old_size, kBlock);
  } while (got < 0 && errno == EINTR);
  pending_.resize(old_size + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
  ended_ = got <= 0;
  return !ended_;
}

}  // namespace cfg
