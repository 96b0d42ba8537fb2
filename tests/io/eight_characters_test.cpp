#include "io/eight_characters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace cfg {
namespace {

// Every byte value, after every count of digits before it: the count stops
// exactly at the first byte that is not '0'..'9', and the value is that of the
// digits before it.
TEST(EightCharacters, LeadingDigitsStopAtEveryNonDigitByte) {
  if constexpr (!kEightAtOnce) GTEST_SKIP() << "eight at once only on little-endian machines";
  const std::string digits = "73914268";
  for (std::size_t count = 0; count < 8; ++count) {
    for (int byte = 0; byte < 256; ++byte) {
      std::string chunk = digits.substr(0, count) + static_cast<char>(byte) + std::string(7 - count, '5');
      const bool is_digit = byte >= '0' && byte <= '9';
      std::uint64_t value = 99;
      const std::size_t found = leading_digits(chunk.data(), value);
      const std::size_t expected_count = is_digit ? 8 : count;
      ASSERT_EQ(found, expected_count) << "count " << count << ", byte " << byte;
      const std::string taken = chunk.substr(0, expected_count);
      ASSERT_EQ(value, taken.empty() ? 0 : std::stoull(taken)) << "count " << count << ", byte " << byte;
    }
  }
  std::uint64_t value = 0;
  EXPECT_EQ(leading_digits("00000000", value), 8u);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(leading_digits("99999999", value), 8u);
  EXPECT_EQ(value, 99999999u);
}

TEST(EightCharacters, LeadingBlanksCountOnlyTheBlankCharacter) {
  if constexpr (!kEightAtOnce) GTEST_SKIP() << "eight at once only on little-endian machines";
  for (std::size_t count = 0; count < 8; ++count) {
    for (const char other : {'\t', '\r', '\n', '\0', '1', 'x', '!', '\xA0'}) {
      const std::string chunk = std::string(count, ' ') + other + std::string(7 - count, ' ');
      EXPECT_EQ(leading_blanks(chunk.data()), count) << "count " << count << ", byte " << int(other);
    }
  }
  EXPECT_EQ(leading_blanks("        "), 8u);
}

}  // namespace
}  // namespace cfg
