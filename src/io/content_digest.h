#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cfg {

// A short stand-in for the bytes of a file, for telling whether a file still
// holds what was read from it without keeping a copy of it. Two texts that
// differ in one aligned 8-byte word, or in length, never have the same
// digest; any other two differ but for a chance of about 2 to the -64.
struct ContentDigest {
  std::size_t size = 0;
  std::uint64_t hash = 0;

  friend bool operator==(const ContentDigest&, const ContentDigest&) = default;
};

ContentDigest digest_of(std::string_view text);

}  // namespace cfg
