#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "io/shortest_real.h"

namespace cfg {
namespace {

struct RealText {
  double value;
  const char* text;
};

class ShortestReal : public ::testing::TestWithParam<RealText> {};

TEST_P(ShortestReal, LaysOutTheShortestDigits) { EXPECT_EQ(shortest_real_text(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ShortestReal,
    ::testing::Values(RealText{0.0, "0.0"}, RealText{-0.0, "-0.0"}, RealText{5.0, "5.0"}, RealText{0.1031, "0.1031"},
                      RealText{-2.5, "-2.5"}, RealText{1e-12, "1e-12"}, RealText{0.001, "0.001"}, RealText{0.0001, "0.0001"},
                      RealText{0.00001, "1e-05"}, RealText{1.5e-5, "1.5e-05"}, RealText{1e14, "100000000000000.0"}, RealText{1e15, "1e+15"},
                      RealText{1e16, "1e+16"}, RealText{1e17, "1e+17"}, RealText{123456789012345.6, "123456789012345.6"},
                      RealText{1.7976931348623157e308, "1.7976931348623157e+308"}, RealText{5e-324, "5e-324"},
                      RealText{10.291681957957886, "10.291681957957886"}, RealText{HUGE_VAL, "Infinity"},
                      RealText{-HUGE_VAL, "-Infinity"}, RealText{std::nan(""), "NaN"}, RealText{500.0, "500.0"},
                      RealText{5e-05, "5e-05"}, RealText{999999999999999.0, "999999999999999.0"},
                      // Shortest, where a conversion that only promises to read back gave 17 digits.
                      RealText{-8918.25243051292, "-8918.25243051292"},
                      RealText{-3.15723672252789e-156, "-3.15723672252789e-156"}));

// Random bit patterns: the text reads back to the same bits.
TEST(ShortestReal, RandomDoublesReadBackToTheSameBits) {
  std::mt19937_64 bits(20261207);
  for (int i = 0; i < 200000; ++i) {
    const double value = std::bit_cast<double>(bits());
    if (!std::isfinite(value)) continue;
    const std::string text = shortest_real_text(value);
    double back = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
    ASSERT_EQ(result.ptr, text.data() + text.size()) << text;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(value)) << text;
  }
}

}  // namespace
}  // namespace cfg
