#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "io/output_writer.h"
#include "support/session_harness.h"

namespace cfg::testing {

// What one run of the command line left; `interactive` when it handed over
// to the interactive program.
struct CliResult : SessionResult {
  bool interactive = false;
};

// Runs the command line in-process as main does, started in `directory`;
// the working directory is the test's own again afterwards.
inline CliResult run_cli_in(const std::filesystem::path& directory, const std::vector<std::string>& args) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(directory);
  StringWriter out;
  StringWriter err;
  CliResult result;
  const std::vector<std::string_view> views(args.begin(), args.end());
  result.status = run_command_line(views, out, err, result.interactive);
  std::filesystem::current_path(before);
  result.out = out.text();
  result.err = err.text();
  return result;
}

inline CliResult run_cli(const ScratchConfig& scratch, const std::vector<std::string>& args) {
  return run_cli_in(scratch.dir(), args);
}

// One command on a file system of the test's own (a disk that fails).
inline CliResult run_command_on(const Command& command, FileSystem& files) {
  StringWriter out;
  StringWriter err;
  CliResult result;
  result.status = run_command(command, files, out, err);
  result.out = out.text();
  result.err = err.text();
  return result;
}

}  // namespace cfg::testing
