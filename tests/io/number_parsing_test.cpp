#include "io/number_parsing.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <system_error>
#include <utility>

namespace cfg {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(ParseReal, InfinityAndNaNInAnyCase) {
  double value = 0;
  for (const char* text : {"Inf", "inf", "INFINITY", "+Infinity"}) {
    ASSERT_TRUE(parse_real(text, value)) << text;
    EXPECT_EQ(value, kInfinity) << text;
  }
  ASSERT_TRUE(parse_real("-iNf", value));
  EXPECT_EQ(value, -kInfinity);
  for (const char* text : {"NaN", "nan", "NAN", "nan(7)"}) {
    ASSERT_TRUE(parse_real(text, value)) << text;
    EXPECT_TRUE(std::isnan(value) && !std::signbit(value)) << text;
  }
  ASSERT_TRUE(parse_real("-NaN", value));
  EXPECT_TRUE(std::isnan(value) && std::signbit(value));
  for (const char* text : {"infin", "inf.", "nan(", "nanx", "i"}) EXPECT_FALSE(parse_real(text, value)) << text;
}

TEST(ParseReal, BeyondTheRangeOfADouble) {
  double value = 0;
  ASSERT_TRUE(parse_real("1e400", value));
  EXPECT_EQ(value, kInfinity);
  ASSERT_TRUE(parse_real("-1.0D99999999999", value));
  EXPECT_EQ(value, -kInfinity);
  ASSERT_TRUE(parse_real("123456789e-400", value));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(value), 0U);
  ASSERT_TRUE(parse_real("-1e-400", value));
  EXPECT_TRUE(value == 0.0 && std::signbit(value));
  ASSERT_TRUE(parse_real("1e-310", value));
  EXPECT_EQ(value, std::ldexp(0x12688B70E62BULL, -1074));
  // Half the smallest subnormal rounds to zero, just above it rounds up.
  ASSERT_TRUE(parse_real("2.4703282292062327e-324", value));
  EXPECT_EQ(value, 0.0);
  ASSERT_TRUE(parse_real("2.4703282292062328e-324", value));
  EXPECT_EQ(value, std::numeric_limits<double>::denorm_min());
  // Leading zeros count for nothing in telling too large from too small.
  ASSERT_TRUE(parse_real("0.0001e313", value));
  EXPECT_EQ(value, kInfinity);
  ASSERT_TRUE(parse_real("0.0001e312", value));
  EXPECT_EQ(value, 1e308);
  ASSERT_TRUE(parse_real("100000e-330", value));
  EXPECT_EQ(value, 0.0);
  ASSERT_TRUE(parse_real("1.7976931348623159e308", value));
  EXPECT_EQ(value, kInfinity);
  ASSERT_TRUE(parse_real("0e99999", value));
  EXPECT_EQ(value, 0.0);
}

TEST(ParseReal, HalfWayBetweenTwoDoublesRoundsToEven) {
  // Above 2^53 the doubles are the even integers; above 2^52 all integers.
  const std::pair<const char*, double> cases[] = {
      {"9007199254740993", 9007199254740992.0}, {"9007199254740995", 9007199254740996.0},
      {"90071992547409930e-1", 9007199254740992.0}, {"9007199254740995000D-3", 9007199254740996.0},
      {"4503599627370496.5", 4503599627370496.0}, {"4503599627370497.5", 4503599627370498.0},
      {"4503599627370496.5000000000000001", 4503599627370497.0}};
  for (const auto& [text, expected] : cases) {
    double value = 0;
    ASSERT_TRUE(parse_real(text, value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
}

TEST(ParseReal, AgreesWithTheStandardLibraryOnRandomDigits) {
  std::mt19937_64 random(2024);
  for (int i = 0; i < 100000; ++i) {
    std::string text;
    const auto digits = 1 + random() % 20;
    for (std::uint64_t k = 0; k < digits; ++k) text += static_cast<char>('0' + random() % 10);
    if (digits > 1) text.insert(1 + random() % (digits - 1), 1, '.');
    text.append("e").append(std::to_string(static_cast<int>(random() % 680) - 350));
    double expected = 0;
    const auto converted = std::from_chars(text.data(), text.data() + text.size(), expected);
    if (converted.ec != std::errc()) continue;
    double value = 0;
    ASSERT_TRUE(parse_real(text, value)) << text;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(expected)) << text;
  }
}

TEST(ParseNumbers, TextThatIsNotANumberOfTheKind) {
  double real = 0;
  for (const char* text : {"", "1e", "1.0+", "1.0d", ".", "+", "-", "abc", "--1", "+-1", "1.0e+-3", "1e5x",
                           "0x10", "1,5", "1.5e3.5"}) {
    EXPECT_FALSE(parse_real(text, real)) << text;
  }
  std::int32_t integer = 0;
  for (const char* text : {"", "5.0", "1e5", "abc", "--1", "+-1", "-+1", "+", "2147483648", "-2147483649",
                           "4294967296", "1 "}) {
    EXPECT_FALSE(parse_integer(text, integer)) << text;
  }
  ASSERT_TRUE(parse_integer("-2147483648", integer));
  EXPECT_EQ(integer, std::numeric_limits<std::int32_t>::min());
  ASSERT_TRUE(parse_integer("+0017", integer));
  EXPECT_EQ(integer, 17);
}

}  // namespace
}  // namespace cfg
