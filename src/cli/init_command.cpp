#include <string>
#include <vector>

#include "cli/bundled_examples.h"
#include "cli/commands.h"
#include "io/errors.h"
#include "io/output_writer.h"

namespace cfg {

// Writes the bundled example configuration into the directory. Nothing is
// written when any of its files is there already; a failure part way removes
// what was written, so the directory is left as it was.
int write_example_configuration(FileSystem& files, OutputWriter& out, OutputWriter& err) {
  std::vector<std::string> present;
  for (const BundledFile& file : bundled_examples()) {
    if (files.exists(std::string(file.name))) present.emplace_back(file.name);
  }
  if (!present.empty()) {
    std::string names;
    for (const std::string& name : present) names += (names.empty() ? "" : ", ") + name;
    return operand_error(err, "init: " + names + (present.size() == 1 ? " exists" : " exist") +
                                  " already; nothing was written");
  }
  std::vector<std::string> written;
  try {
    for (const BundledFile& file : bundled_examples()) {
      replace_file(files, std::string(file.name), file.text);
      written.emplace_back(file.name);
    }
  } catch (const FatalError&) {
    for (const std::string& name : written) files.remove(name);
    throw;
  }
  out.flush();
  return 0;
}

}  // namespace cfg
