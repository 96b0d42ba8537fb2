#include "io/shortest_real.h"

#include <cmath>

// The JSON library's own conversion, so that get and show --json print every
// real alike; this header alone brings no streams with it.
#include <nlohmann/detail/conversions/to_chars.hpp>

namespace cfg {

std::string shortest_real_text(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  char buffer[64];
  const char* const end = nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

}  // namespace cfg
