#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace cfg {

// Eight characters examined at once, in one 64-bit word: fixed-width files
// are mostly runs of blanks and digits, whose lengths vary from field to field
// and make a loop of one character at a time guess wrong at every end. The
// first character is the lowest byte of the word, so these need a
// little-endian machine; elsewhere the callers go one character at a time.
inline constexpr bool kEightAtOnce = std::endian::native == std::endian::little;

inline std::uint64_t load_eight(const char* p) {
  std::uint64_t word = 0;
  std::memcpy(&word, p, 8);
  return word;
}

// How many of the eight characters at `p` are blanks (' ') before the first
// that is not.
inline std::size_t leading_blanks(const char* p) {
  const std::uint64_t differs = load_eight(p) ^ 0x2020202020202020;
  return differs == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(differs)) / 8;
}

// How many of the eight characters at `p` are digits before the first that is
// not, with their value in `value`.
inline std::size_t leading_digits(const char* p, std::uint64_t& value) {
  constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0;
  constexpr std::uint64_t kZeros = 0x3030303030303030;
  std::uint64_t word = load_eight(p);
  // A digit byte has the high nibble 3, and still 3 after adding 6. A carry
  // out of a later byte cannot spoil the test of an earlier one.
  const std::uint64_t off = ((word & kHighNibbles) ^ kZeros) | (((word + 0x0606060606060606) & kHighNibbles) ^ kZeros);
  const std::uint64_t not_digit = ((off >> 4) + 0x0F0F0F0F0F0F0F0F) & 0x1010101010101010;
  const std::size_t count = not_digit == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(not_digit)) / 8;
  if (count == 0) {
    value = 0;
    return 0;
  }
  // The digits moved to the top of the word, zeros before them, then summed
  // in pairs, fours and eights.
  word = (word - kZeros) << (8 * (8 - count));
  word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FF;
  word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFF;
  value = (word & 0xFFFFFFFF) * 10000 + (word >> 32);
  return count;
}

}  // namespace cfg
