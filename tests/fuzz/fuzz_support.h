#pragma once

// What the fuzz targets share: the example configuration in memory, a check
// that stops the run loudly, and a session that talks to no one.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "config/config_files.h"
#include "config/session.h"
#include "driver/startup.h"
#include "io/errors.h"
#include "io/line_source.h"
#include "io/terminal.h"
#include "support/memory_file_system.h"

namespace cfg::fuzz {

using Files = std::map<std::string, std::string>;

// What the target is doing, named when a check fails.
inline std::string& context() {
  static std::string text;
  return text;
}

// A broken promise of the program: reported, then a crash the fuzzer keeps.
inline void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s (%s)\n", what, context().c_str());
  std::abort();
}

// The sixteen files of the example configuration.
inline const Files& example_files() {
  static const Files files = [] {
    Files loaded;
    for (const auto& entry : std::filesystem::directory_iterator(CONFIG_EXAMPLES_DIR)) {
      if (entry.path().extension() != ".dat") continue;
      std::ifstream file(entry.path(), std::ios::binary);
      std::ostringstream text;
      text << file.rdbuf();
      loaded[entry.path().filename().string()] = text.str();
    }
    require(loaded.size() == 16, "the example configuration has sixteen files");
    return loaded;
  }();
  return files;
}

// A session over files in memory, with a keyboard of the lines given (none by
// default) and its output kept.
struct QuietSession {
  explicit QuietSession(const Files& files, std::string typed = "") : keyboard("keyboard", std::move(typed)) {
    disk.files = files;
  }

  testing::MemoryFileSystem disk;
  TextLines keyboard;
  StringWriter out;
  StringWriter err;
  Terminal term{keyboard, out, err};
  std::unique_ptr<Session> session = std::make_unique<Session>(term, disk);
};

// Start-up's loading, as the program does it; false, with the error report,
// when a file cannot be read.
inline bool starts_up(QuietSession& quiet, std::string* error = nullptr) {
  try {
    start_up(*quiet.session);
    return true;
  } catch (const FatalError& failure) {
    if (error != nullptr) *error = failure.what();
    return false;
  }
}

// The files without the backups (NAME~) a save keeps of what it replaced.
inline Files without_backups(Files files) {
  std::erase_if(files, [](const auto& file) { return file.first.ends_with('~'); });
  return files;
}

// Option 8's reads over a saved configuration: they must succeed and give back
// exactly what was saved; with `before`, only the files that differ from it
// were saved (the others may hold any layout the reader accepts).
inline void require_reloads_as_saved(const Files& saved, const Files* before = nullptr) {
  const auto written = [&](const std::string& file) {
    if (before == nullptr) return true;
    const auto found = before->find(file);
    return found == before->end() || found->second != saved.at(file);
  };
  QuietSession quiet(saved);
  Session& reloaded = *quiet.session;
  try {
    load_data_file(quiet.disk, reloaded.config);
    load_atom_count_file(quiet.disk, reloaded.particle_count, reloaded.seed);
    reload_energy_model(quiet.disk, reloaded.model);
  } catch (const FatalError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    require(false, "option 8 reads a saved configuration");
  }
  require(!written("data.dat") || data_file_text(reloaded.config) == saved.at("data.dat"), "data.dat reloads as saved");
  require(!written("atom_num.dat") ||
              atom_count_file_text(reloaded.particle_count, reloaded.seed) == saved.at("atom_num.dat"),
          "atom_num.dat reloads as saved");
  for (const std::string& file : energy_files_to_save(reloaded.model.potential_type)) {
    context() += ": " + file;
    require(!written(file) || energy_file_text(reloaded.model, file) == saved.at(file),
            "an energy-model file reloads as saved");
    context().resize(context().size() - file.size() - 2);
  }
}

}  // namespace cfg::fuzz
