#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cfg {

// The conversions of single values, shared by list-directed reads and the
// keyboard's fixed fields. Each returns false when the text is not a value of
// its kind, and then leaves `value` alone.
//
// An integer: an optional sign and decimal digits, within 32 bits.
bool parse_integer(std::string_view text, std::int32_t& value);
// A real: an optional sign, digits with an optional point, and an optional
// exponent (E, D or Q in either case, or a sign alone, then digits); or Inf,
// Infinity, NaN in any case. Rounded to the nearest double; beyond the range
// of a double it is plus or minus Infinity, or zero.
bool parse_real(std::string_view text, double& value);

// The real at the start of `text`, read up to the first character that cannot
// continue it: the number of characters taken, or 0 when they do not make a
// real ("1e", "+", "abc"). parse_real takes exactly the texts that this reads
// whole. Never reads past a blank, comma or slash.
std::size_t read_real_prefix(std::string_view text, double& value);

}  // namespace cfg
