#include "io/list_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "io/decimal_conversion.h"

namespace cfg {
namespace {

std::string blanks(std::size_t count) { return std::string(count, ' '); }

// Fixed notation: right-aligned in 20 characters, then 5 blanks.
std::string fixed(const std::string& text) { return blanks(20 - text.size()) + text + blanks(5); }
// Exponent form and the non-finite words: right-aligned in 25 characters.
std::string right25(const std::string& text) { return blanks(25 - text.size()) + text; }

TEST(FormatReal, FixedNotationFromOneTenthToBelowTenToTheSeventeenth) {
  EXPECT_EQ(format_real(5.5), "  5.5000000000000000     ");
  EXPECT_EQ(format_real(1e16), fixed("10000000000000000."));
  EXPECT_EQ(format_real(0.1), fixed("0.10000000000000001"));
  EXPECT_EQ(format_real(-0.1), "-0.10000000000000001     ");
  EXPECT_EQ(format_real(-5.5), fixed("-5.5000000000000000"));
  EXPECT_EQ(format_real(1.0 / 3.0), fixed("0.33333333333333331"));
  EXPECT_EQ(format_real(123456.789), fixed("123456.78900000000"));
  // The largest double below 10^17 is an integer with 17 digits.
  EXPECT_EQ(format_real(std::nextafter(1e17, 0.0)), fixed("99999999999999984."));
}

TEST(FormatReal, ZeroIsFixedAndKeepsItsSign) {
  EXPECT_EQ(format_real(0.0), fixed("0.0000000000000000"));
  EXPECT_EQ(format_real(-0.0), fixed("-0.0000000000000000"));
}

TEST(FormatReal, ExponentFormOutsideTheFixedRange) {
  EXPECT_EQ(format_real(0.01), "  1.0000000000000000E-002");
  EXPECT_EQ(format_real(1e17), right25("1.0000000000000000E+017"));
  EXPECT_EQ(format_real(std::nextafter(0.1, 0.0)), right25("9.9999999999999992E-002"));
  EXPECT_EQ(format_real(1e-310), right25("9.9999999999999694E-311"));
  EXPECT_EQ(format_real(-1e100), right25("-1.0000000000000000E+100"));
  EXPECT_EQ(format_real(std::numeric_limits<double>::max()), right25("1.7976931348623157E+308"));
  EXPECT_EQ(format_real(std::numeric_limits<double>::min()), right25("2.2250738585072014E-308"));
  EXPECT_EQ(format_real(std::numeric_limits<double>::denorm_min()), right25("4.9406564584124654E-324"));
  EXPECT_EQ(format_real(-std::numeric_limits<double>::denorm_min()), right25("-4.9406564584124654E-324"));
  EXPECT_EQ(format_real(1e20), right25("1.0000000000000000E+020"));
  EXPECT_EQ(format_real(1e22), right25("1.0000000000000000E+022"));
}

TEST(FormatReal, ExactTiesRoundToEven) {
  // 2^-25 = 2.98023223876953125e-8 and 3 * 2^-25 = 8.94069671630859375e-8.
  EXPECT_EQ(format_real(std::ldexp(1.0, -25)), right25("2.9802322387695312E-008"));
  EXPECT_EQ(format_real(std::ldexp(3.0, -25)), right25("8.9406967163085938E-008"));
}

TEST(FormatReal, NonFiniteValuesAreWordsRightAligned) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(format_real(kInfinity), right25("Infinity"));
  EXPECT_EQ(format_real(-kInfinity), right25("-Infinity"));
  EXPECT_EQ(format_real(std::numeric_limits<double>::quiet_NaN()), right25("NaN"));
  EXPECT_EQ(format_real(-std::numeric_limits<double>::quiet_NaN()), right25("NaN"));
}

TEST(FormatInteger, RightAlignedInEleven) {
  EXPECT_EQ(format_integer(38), "         38");
  EXPECT_EQ(format_integer(0), "          0");
  EXPECT_EQ(format_integer(-7), "         -7");
  EXPECT_EQ(format_integer(std::numeric_limits<std::int32_t>::max()), " 2147483647");
  EXPECT_EQ(format_integer(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

// Every number of digits, at its edges and in between, against printf.
TEST(FormatInteger, AgreesWithPrintfAtEveryDigitCount) {
  std::int64_t power = 1;
  for (int digits = 1; digits <= 10; ++digits, power *= 10) {
    for (const std::int64_t magnitude : {power - 1, power, power + 1, 2 * power + 7, 10 * power - 1}) {
      for (const std::int64_t value : {magnitude, -magnitude}) {
        if (value > INT32_MAX || value < INT32_MIN) continue;
        const auto narrow = static_cast<std::int32_t>(value);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%11d", narrow);
        ASSERT_EQ(format_integer(narrow), expected);
      }
    }
  }
}

// The digits against the standard library's own correctly rounded "%.16e".
DecimalDigits printf_digits(double value) {
  char text[40];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 16).ptr;
  DecimalDigits decimal{0, 0};
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p != '.') decimal.digits = decimal.digits * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  std::from_chars(p + (p[1] == '+' ? 2 : 1), end, decimal.exponent);
  return decimal;
}

void expect_printf_digits(double value) {
  const DecimalDigits ours = seventeen_digits(value);
  const DecimalDigits expected = printf_digits(value);
  EXPECT_TRUE(ours.digits == expected.digits && ours.exponent == expected.exponent)
      << std::hexfloat << value << ": " << ours.digits << "e" << ours.exponent << " instead of " << expected.digits
      << "e" << expected.exponent;
}

TEST(SeventeenDigits, AgreeWithPrintfOverEveryMagnitude) {
  for (int exponent = -1074; exponent <= 1023; ++exponent) {
    const double power = std::ldexp(1.0, exponent);
    expect_printf_digits(power);
    if (exponent > -1074) expect_printf_digits(std::nextafter(power, 0.0));
    expect_printf_digits(std::nextafter(power, 2 * power));
    for (int odd = 3; odd < 32; odd += 2) {
      const double multiple = std::ldexp(odd, exponent);
      if (std::isfinite(multiple)) expect_printf_digits(multiple);
    }
  }
  for (int exponent = -323; exponent <= 308; ++exponent) {
    const double power = std::pow(10.0, exponent);
    expect_printf_digits(power);
    expect_printf_digits(std::nextafter(power, 0.0));
    expect_printf_digits(std::nextafter(power, 2 * power));
  }
  std::mt19937_64 random(12345);
  for (int i = 0; i < 200000; ++i) {
    const double value = std::bit_cast<double>(random() >> 1);
    if (std::isfinite(value) && value > 0) expect_printf_digits(value);
  }
}

TEST(ListLine, LeadingBlankAndSeparators) {
  // The report line for 38 particles.
  EXPECT_EQ(list_record("@ ", 38, " particles"), " @           38  particles\n");
  // A record of three integers: 36 characters.
  EXPECT_EQ(list_record(20, 15, 5), "          20          15           5\n");
  // Two reals: eight blanks between the last digit of the first and the 2.
  EXPECT_EQ(list_record(1.0, 2.0), "   1.0000000000000000        2.0000000000000000     \n");
  EXPECT_EQ(list_record(), "\n");
}

TEST(ListLine, TextAfterTextJoinsAndFixedTextKeepsItsLength) {
  EXPECT_EQ(list_record("ab", "cd"), " abcd\n");
  EXPECT_EQ(list_record("ab", 1, "c", "de"), " ab           1 cde\n");
  EXPECT_EQ(list_record(1, "x"), "           1 x\n");
  EXPECT_EQ(list_record(FixedText<3>("B"), 7), " B             7\n");
  EXPECT_EQ(list_record(FixedText<2>("Cu"), FixedText<3>("LB"), std::string("!")), " CuLB !\n");
  EXPECT_EQ(list_record("a ", 0.5), " a   0.50000000000000000     \n");
}

// Items given one at a time or several at once make the same record, and the
// joining of texts carries over from one call to the next.
TEST(ListLine, ItemsAtOnceAsOneAtATime) {
  ListLine one_by_one;
  one_by_one << "@ " << "(" << 7 << -8 << ")" << "" << "(" << 2.5 << std::string("x") << FixedText<3>("LB") << "y";
  ListLine at_once;
  at_once.add("@ ", "(").add(7, -8, ")", "").add("(", 2.5, std::string("x")).add(FixedText<3>("LB")) << "y";
  EXPECT_EQ(at_once.str(), one_by_one.str());
  EXPECT_EQ(at_once.str(), " @ ( " + format_integer(7) + " " + format_integer(-8) + " )( " + format_real(2.5) + " xLB y");
}

TEST(ListLine, LongRecordsKeepEveryField) {
  ListLine line;
  std::string expected;
  for (int i = 0; i < 100; ++i) {
    line << static_cast<double>(i) << static_cast<std::int32_t>(i);
    expected.append(" ").append(format_real(static_cast<double>(i))).append(" ").append(format_integer(i));
  }
  EXPECT_EQ(line.str(), expected);
}

}  // namespace
}  // namespace cfg
