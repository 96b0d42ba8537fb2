#pragma once

#include <stdexcept>
#include <string>

namespace cfg {

// Input that cannot be read (a missing or short file, a value of the wrong
// kind, the end of keyboard input) or a file that cannot be written. The
// message names the file and line, or the keyboard; the program prints it on
// standard error and exits with status 2, writing nothing further.
class FatalError : public std::runtime_error {
 public:
  explicit FatalError(const std::string& message) : std::runtime_error(message) {}
};

// A deliberate end of the program before its normal end: a pause answered
// with something other than go (status 0), or the report's "ERROR!!" stop
// (status 1). Unwinds to the driver, which returns the status.
struct ProgramStop {
  int status;
};

}  // namespace cfg
