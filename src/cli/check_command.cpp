#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "config/config_files.h"
#include "config/energy_model.h"
#include "config/materials_library.h"
#include "io/errors.h"
#include "io/output_writer.h"

namespace cfg {

namespace {

// Runs one read; a failure becomes a problem to report and the check goes on.
template <class Read>
void check_read(std::vector<std::string>& problems, Read&& read) {
  try {
    read();
  } catch (const FatalError& error) {
    // The first line: the one that names the file, the line and what was expected.
    const std::string message = error.what();
    problems.push_back(message.substr(0, message.find('\n')));
  }
}

}  // namespace

// Reads every file that a start-up, option 8 and option 7 read, each on its
// own so that one bad file hides no other, and the value that would stop the
// report. Each file is read once: option 8 reads the same files again.
int check_configuration(FileSystem& files, OutputWriter& out, OutputWriter& err) {
  std::vector<std::string> problems;
  std::int32_t particle_count = 0;
  std::int32_t seed = 0;
  check_read(problems, [&] { load_atom_count_file(files, particle_count, seed); });
  ConfigRecord config;
  bool data_read = false;
  check_read(problems, [&] {
    load_data_file(files, config);
    data_read = true;
  });
  if (data_read && config.temp_range_use != 1 && config.temp_range_use != 2) {
    problems.push_back("data.dat, record 8: temp_range_use is " + std::to_string(config.temp_range_use) +
                       ", where 1 or 2 was expected; the report stops with ERROR!!");
  }
  auto model = std::make_unique<EnergyModel>();
  for (const std::string& name : energy_file_names()) check_read(problems, [&] { load_energy_file(files, *model, name); });
  check_read(problems, [&] { check_materials_library(files); });

  out.flush();
  for (const std::string& problem : problems) {
    err << "config: " << problem << "\n";
  }
  err.flush();
  return problems.empty() ? 0 : 2;
}

}  // namespace cfg
