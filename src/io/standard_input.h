#pragma once

#include <string>

namespace cfg {

// The whole of standard input, for a command given "-" for a file. Throws
// FatalError "standard input: ..." when it cannot be read or holds more than
// a file of the configuration may (kLargestFile).
std::string read_standard_input();

}  // namespace cfg
