#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "io/output_writer.h"

namespace cfg {

// The command line as read: the directories of -C in order, then one of
// help, version or a command; none of these means the interactive program.
struct CommandLine {
  std::vector<std::string> directories;
  bool help = false;
  bool version = false;
  Command command;  // an empty name: no command
  std::string error;  // what is wrong with the arguments, if anything
};

CommandLine parse_command_line(const std::vector<std::string_view>& args);

// Runs the command line `args` (without the program's name). Returns the
// exit status, or sets `interactive` when the arguments leave the rest to
// the interactive program (-C DIR alone), after moving into DIR.
int run_command_line(const std::vector<std::string_view>& args, OutputWriter& out, OutputWriter& err,
                     bool& interactive);

// The usage text of --help.
std::string_view usage_text();

}  // namespace cfg
