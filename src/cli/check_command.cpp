#include <cmath>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "config/config_files.h"
#include "config/configuration_rules.h"
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
  auto model = std::make_unique<EnergyModel>();
  ConfigRecord config;
  std::int32_t particle_count = 0;
  std::int32_t seed = 0;
  const ConfigurationRefs whole{config, *model, particle_count, seed};
  for (const std::string& name : startup_file_names()) {
    check_read(problems, [&] {
      load_configuration_file(files, whole, name);
      if (name != "data.dat") return;
      if (stops_the_report(config)) {
        problems.push_back("data.dat, record 8: temp_range_use is " + std::to_string(config.temp_range_use) +
                           ", where 1 or 2 was expected; the report stops with ERROR!!");
      }
      // The optimizer sizes its box by these.
      for (const auto& [key, value] : {std::pair{"box_width", config.box_width}, std::pair{"func_bc", config.func_bc}}) {
        if (!std::isfinite(value)) problems.push_back(std::string("data.dat, record 1: ") + key + " is not a finite number");
      }
    });
  }
  check_read(problems, [&] { check_materials_library(files); });

  out.flush();
  for (const std::string& problem : problems) {
    err << "config: " << problem << "\n";
  }
  err.flush();
  return problems.empty() ? 0 : 2;
}

}  // namespace cfg
