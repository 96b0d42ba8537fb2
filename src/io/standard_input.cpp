#include "io/standard_input.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "io/errors.h"
#include "io/message_text.h"
#include "io/file_system.h"

namespace cfg {

std::string read_standard_input() {
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count == 0) return text;
    if (count < 0) {
      if (errno == EINTR) continue;
      throw FatalError(std::string("standard input: cannot read: ") + std::strerror(errno));
    }
    text.append(buffer, static_cast<std::size_t>(count));
    if (text.size() > kLargestFile) {
      throw FatalError(concat("standard input: larger than ", std::to_string(kLargestFile >> 20),
                              " MiB, the most a file of the configuration may hold"));
    }
  }
}

}  // namespace cfg
