#pragma once

#include <cstdint>

namespace cfg {

// Counts typed by the user may sit at the ends of the 32-bit range; sums and
// differences of them wrap around as the optimizer's own integers do.
inline std::int32_t wrapping_add(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline std::int32_t wrapping_sub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace cfg
