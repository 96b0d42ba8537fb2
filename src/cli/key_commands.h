#pragma once

#include <string>
#include <vector>

#include "io/file_system.h"
#include "io/output_writer.h"

namespace cfg {

// The commands that need no configuration: `keys` and `keys --json` list
// the keys that the patterns match (all without one), with status 1 when
// none did; `completion SHELL` prints the shell's completion script, and
// `completion keys` the words the scripts complete keys from.
int list_keys(FileSystem& files, const std::vector<std::string>& patterns, OutputWriter& out, OutputWriter& err);
int list_keys_json(FileSystem& files, const std::vector<std::string>& patterns, OutputWriter& out, OutputWriter& err);
int print_completion(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out,
                     OutputWriter& err);

}  // namespace cfg
