#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cfg {

// The most characters of an outside text (a token from a file, an answer)
// that a message quotes.
inline constexpr std::size_t kQuotedLength = 60;

// Bytes from outside the program as a message may show them: printable ASCII
// as it is, every other byte escaped (\0, \t, \033, \377) and a backslash
// doubled, so that what a file holds can neither drive the terminal nor cut a
// message short. Beyond kQuotedLength bytes the text is cut and marked "...".
std::string printable(std::string_view bytes);

// The parts one after the other: a message built by appending, which GCC 12
// at -O3 does not take for an overlapping copy as it takes "text" + string.
template <class... Parts>
std::string concat(const Parts&... parts) {
  std::string text;
  (text.append(std::string_view(parts)), ...);
  return text;
}

}  // namespace cfg
