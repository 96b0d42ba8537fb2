#pragma once

#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>

#include "support/memory_file_system.h"

namespace cfg::bench {

// An output stream that counts what is written to it and keeps nothing, so
// that the report's cost is measured without the cost of a terminal.
class DiscardStream : public std::ostream {
 public:
  DiscardStream() : std::ostream(&buffer_) {}
  std::int64_t bytes() const { return buffer_.bytes; }

 private:
  struct CountingBuffer : std::streambuf {
    std::int64_t bytes = 0;
    int_type overflow(int_type c) override {
      ++bytes;
      return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize count) override {
      bytes += count;
      return count;
    }
  };
  CountingBuffer buffer_;
};

// The example configuration (every .dat file of examples/), in memory.
cfg::testing::MemoryFileSystem example_files();

// The example configuration grown to `sets` residue sets in protein2.dat and
// as many neutral-bond sets in chima2.dat, under the given potential type.
cfg::testing::MemoryFileSystem large_files(std::int32_t potential_type, std::int32_t sets);

// The generated files themselves, as sessions.sh writes them too.
std::string residue_sets_text(std::int32_t sets);
std::string neutral_bond_sets_text(std::int32_t sets);

}  // namespace cfg::bench
