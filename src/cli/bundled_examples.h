#pragma once

#include <span>
#include <string_view>

namespace cfg {

// A file of the example configuration, as built into the program.
struct BundledFile {
  std::string_view name;
  std::string_view text;
};

// Every .dat file of examples/, by name.
std::span<const BundledFile> bundled_examples();

}  // namespace cfg
