#pragma once

#include <string>

namespace cfg {

// A real as get and show --json write it: the shortest digits that read back
// to the same double (the nearest of them where several are as short), laid
// out plainly for magnitudes from 1e-4 up to below 1e15 (5.0, 0.1031, 100000000000000.0), otherwise with one
// digit before the point and an exponent of at least two digits (1e+15,
// 1.5e-05); -0.0 keeps its sign. Infinities and NaN, which JSON has no numbers
// for, are "Infinity", "-Infinity" and "NaN".
std::string shortest_real_text(double value);

}  // namespace cfg
