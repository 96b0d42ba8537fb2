#pragma once

#include <string>

#include "io/errors.h"

namespace cfg {

// A step on the disk that failed: the message names the file, what could not
// be done and the system's reason; the reason alone is kept, so that a caller
// can report the failure under another name (a save names the file the user
// knows, never its temporary).
class FileError : public FatalError {
 public:
  FileError(const std::string& name, const std::string& action, std::string cause)
      : FatalError(name + ": cannot " + action + ": " + cause), file_(name), cause_(std::move(cause)) {}

  // The file the step failed on.
  const std::string& file() const { return file_; }
  const std::string& cause() const { return cause_; }

 private:
  std::string file_;
  std::string cause_;
};

}  // namespace cfg
