#include "io/decimal_conversion.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstddef>

namespace cfg {

namespace {

__extension__ typedef unsigned __int128 uint128;

// The scaling by a power of ten multiplies a 64-bit significand by a 128-bit
// significand of 10^q. For q from 0 to 55 that significand is exact
// (5^55 < 2^128); for all other q it is cut off, and the product then lies a
// tiny amount below the true one.
constexpr int kMinPower = -342;
constexpr int kMaxPower = 340;
constexpr int kLastExactPower = 55;

struct PowerOfTen {
  std::uint64_t high;
  std::uint64_t low;
  int binary_exponent;  // 10^q ~ (high * 2^64 + low) * 2^binary_exponent
};

// Just enough of a big unsigned integer to build the table of powers at
// compile time: times 10, divide by 10, read bits.
struct BigNumber {
  static constexpr int kLimbs = 42;
  std::array<std::uint32_t, kLimbs> limbs{};

  constexpr void times_10() {
    std::uint64_t carry = 0;
    for (auto& limb : limbs) {
      const std::uint64_t product = std::uint64_t{limb} * 10 + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
  }
  constexpr void divide_by_10() {
    std::uint64_t remainder = 0;
    for (int i = kLimbs - 1; i >= 0; --i) {
      const std::uint64_t current = (remainder << 32) | limbs[static_cast<std::size_t>(i)];
      limbs[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(current / 10);
      remainder = current % 10;
    }
  }
  constexpr int bit_length() const {
    for (int i = kLimbs - 1; i >= 0; --i) {
      const std::uint32_t limb = limbs[static_cast<std::size_t>(i)];
      if (limb != 0) return i * 32 + 32 - std::countl_zero(limb);
    }
    return 0;
  }
  constexpr std::uint64_t limb_at(int index) const {
    return index < 0 || index >= kLimbs ? 0 : limbs[static_cast<std::size_t>(index)];
  }
  // The 64 bits from bit `from` upwards; bits below 0 read as zero.
  constexpr std::uint64_t bits64(int from) const {
    // Floor division, so that a negative `from` shifts zeros in.
    const int index = from >= 0 ? from / 32 : -((-from + 31) / 32);
    const int offset = from - index * 32;
    const uint128 window = uint128{limb_at(index)} | uint128{limb_at(index + 1)} << 32 |
                           uint128{limb_at(index + 2)} << 64 | uint128{limb_at(index + 3)} << 96;
    return static_cast<std::uint64_t>(window >> offset);
  }
  // The top 128 bits, cut off; `scale` is the binary exponent of bit 0.
  constexpr PowerOfTen top_bits(int scale) const {
    const int from = bit_length() - 128;
    return {bits64(from + 64), bits64(from), from + scale};
  }
};

constexpr std::array<PowerOfTen, kMaxPower - kMinPower + 1> make_powers_of_ten() {
  std::array<PowerOfTen, kMaxPower - kMinPower + 1> table{};
  BigNumber power;
  power.limbs[0] = 1;
  for (int q = 0; q <= kMaxPower; ++q) {
    table[static_cast<std::size_t>(q - kMinPower)] = power.top_bits(0);
    power.times_10();
  }
  // floor(2^1280 / 10^p) keeps more than 128 significant bits for every p.
  constexpr int kReciprocalScale = 1280;
  BigNumber reciprocal;
  reciprocal.limbs[kReciprocalScale / 32] = 1;
  for (int p = 1; p <= -kMinPower; ++p) {
    reciprocal.divide_by_10();
    table[static_cast<std::size_t>(-p - kMinPower)] = reciprocal.top_bits(-kReciprocalScale);
  }
  return table;
}

constexpr auto kPowersOfTen = make_powers_of_ten();

// The 192-bit product of a 64-bit number and the significand of 10^q, as
// three 64-bit limbs from the lowest.
struct Product192 {
  std::uint64_t limb[4];  // limb[3] is 0, for reading across the top
};

Product192 multiply(std::uint64_t value, const PowerOfTen& power) {
  const uint128 low_product = uint128{value} * power.low;
  const uint128 high_product = uint128{value} * power.high;
  const uint128 middle = (low_product >> 64) + static_cast<std::uint64_t>(high_product);
  return {{static_cast<std::uint64_t>(low_product), static_cast<std::uint64_t>(middle),
           static_cast<std::uint64_t>(high_product >> 64) + static_cast<std::uint64_t>(middle >> 64), 0}};
}

const PowerOfTen* power_of_ten(int q) {
  if (q < kMinPower || q > kMaxPower) return nullptr;
  return &kPowersOfTen[static_cast<std::size_t>(q - kMinPower)];
}

bool is_exact_power(int q) { return q >= 0 && q <= kLastExactPower; }

constexpr std::uint64_t kTenTo16 = 10'000'000'000'000'000;
constexpr std::uint64_t kTenTo17 = 100'000'000'000'000'000;
constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
// Fractions this close below 1/2 or 1 (in units of 2^-64) cannot be decided
// from a cut-off power; the product's error is below a quarter unit.
constexpr std::uint64_t kUndecidedWindow = 4;

// floor(log10(2^e)) for |e| < 1650.
constexpr int floor_log10_pow2(int e) { return (e * 78913) >> 18; }

// The slow, exact way, for the rare values the fast way cannot decide.
DecimalDigits digits_by_printf_rules(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 16);
  DecimalDigits decimal{0, 0};
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p != '.') decimal.digits = decimal.digits * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, decimal.exponent);
  return decimal;
}

}  // namespace

DecimalDigits seventeen_digits(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biased_exponent = static_cast<int>(bits >> 52);
  std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
  int binary_exponent = -1074;
  if (biased_exponent != 0) {
    significand |= std::uint64_t{1} << 52;
    binary_exponent = biased_exponent - 1075;
  }
  // value = significand * 2^binary_exponent. Scale it by 10^q so that its
  // integer part has 17 digits; the first guess of q may be one too large.
  const int floor_log2 = binary_exponent + 63 - std::countl_zero(significand);
  int q = 16 - floor_log10_pow2(floor_log2);

  for (int attempt = 0; attempt < 3; ++attempt) {
    const PowerOfTen* power = power_of_ten(q);
    if (power == nullptr) break;
    const Product192 product = multiply(significand, *power);
    const std::uint64_t* limb = product.limb;
    // The scaled value is the 192-bit product divided by 2^shift.
    const int shift = -(binary_exponent + power->binary_exponent);
    if (shift < 64 || shift > 128) break;
    const auto bits_from = [&limb](int from) {
      const auto index = static_cast<std::size_t>(from / 64);
      const int offset = from % 64;
      if (offset == 0) return limb[index];
      return (limb[index] >> offset) | (limb[index + 1] << (64 - offset));
    };
    const std::uint64_t integer = bits_from(shift);
    const std::uint64_t fraction = bits_from(shift - 64);
    const int rest_bits = shift - 64;
    const bool rest_nonzero = rest_bits == 64 ? limb[0] != 0 : rest_bits > 0 && (limb[0] << (64 - rest_bits)) != 0;
    const bool exact = is_exact_power(q);

    if (!exact && fraction >= ~std::uint64_t{0} - kUndecidedWindow) break;
    if (integer < kTenTo16) {
      ++q;
      continue;
    }
    if (integer >= kTenTo17) {
      --q;
      continue;
    }
    bool round_up = false;
    if (exact) {
      round_up = fraction > kHalf || (fraction == kHalf && (rest_nonzero || (integer & 1) != 0));
    } else {
      // A cut-off product is never exactly half way: decide unless too close.
      if (fraction < kHalf && fraction >= kHalf - kUndecidedWindow) break;
      round_up = fraction >= kHalf;
    }
    DecimalDigits decimal{integer + (round_up ? 1 : 0), 16 - q};
    if (decimal.digits == kTenTo17) {
      decimal.digits = kTenTo16;
      ++decimal.exponent;
    }
    return decimal;
  }
  return digits_by_printf_rules(value);
}

std::optional<double> decimal_to_double(std::uint64_t digits, int exponent) {
  if (digits == 0) return 0.0;
  const PowerOfTen* power = power_of_ten(exponent);
  if (power == nullptr) return std::nullopt;
  // With the digits moved up to the top bit the product has 191 or 192 bits:
  // the double's 53 bits, a rounding bit and the rest. When the power is cut
  // off, only the lowest limb is uncertain, and the true product is larger.
  const int leading_zeros = std::countl_zero(digits);
  const Product192 product = multiply(digits << leading_zeros, *power);
  const std::uint64_t top = product.limb[2];
  const std::uint64_t middle = product.limb[1];
  const int top_bit = 128 + 63 - std::countl_zero(top);
  const int drop = top_bit - 128 - 52;  // bits of the top limb below the double's 53
  std::uint64_t significand = top >> drop;
  const bool rounding_bit = ((top >> (drop - 1)) & 1) != 0;
  const std::uint64_t rest_mask = (std::uint64_t{1} << (drop - 1)) - 1;
  const bool rest_zero = (top & rest_mask) == 0 && middle == 0;
  const bool exact = is_exact_power(exponent);

  bool round_up = false;
  if (!rounding_bit) {
    // A carry from the uncertain limb could still reach the rounding bit.
    if (!exact && (top & rest_mask) == rest_mask && middle == ~std::uint64_t{0}) return std::nullopt;
  } else if (!rest_zero || !exact) {
    round_up = true;  // above half way
  } else {
    round_up = product.limb[0] != 0 || (significand & 1) != 0;  // exactly half way: to even
  }

  int binary_exponent = top_bit + power->binary_exponent - leading_zeros;  // of the leading bit
  significand += round_up ? 1 : 0;
  if (significand == std::uint64_t{1} << 53) {
    significand >>= 1;
    ++binary_exponent;
  }
  if (binary_exponent < -1022 || binary_exponent > 1023) return std::nullopt;
  const auto biased = static_cast<std::uint64_t>(binary_exponent + 1023);
  return std::bit_cast<double>(biased << 52 | (significand & ((std::uint64_t{1} << 52) - 1)));
}

}  // namespace cfg
