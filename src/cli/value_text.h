#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "io/fixed_text.h"
#include "io/shortest_real.h"

namespace cfg {

// A stored value as `get` prints it and as `show --json` holds it: integers
// as digits, reals as the shortest text that reads back, texts without their
// trailing blanks.
inline std::string value_text(std::int32_t value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, result.ptr);
}
inline std::string value_text(double value) { return shortest_real_text(value); }
inline std::string_view trimmed(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}
template <std::size_t N>
std::string value_text(const FixedText<N>& text) {
  return std::string(trimmed(text.view()));
}

}  // namespace cfg
