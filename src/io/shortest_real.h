#pragma once

#include <string>

namespace cfg {

// A real as the shortest text that reads back to the same double, laid out
// as JSON writers commonly lay numbers out: plain digits with a point for
// magnitudes from 1e-4 up to below 1e15 or so (5.0, 0.1031, 1000000.0),
// otherwise one digit, a point if more follow, and an exponent of at least two
// digits (1e+17, 1.5e-05); -0.0 keeps its sign. Infinities and NaN, which JSON
// has no numbers for, are "Infinity", "-Infinity" and "NaN".
std::string shortest_real_text(double value);

}  // namespace cfg
