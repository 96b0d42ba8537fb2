#include "cli/command_line.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "io/file_system.h"
#include "io/output_writer.h"

namespace cfg {

namespace {

constexpr std::string_view kUsage =
    "usage: config [-C DIR] [COMMAND [ARGS]]\n"
    "\n"
    "With no command, config is the interactive editor of the configuration files\n"
    "in the working directory. The commands are for scripts:\n"
    "\n"
    "  show              print the summary report of the stored configuration\n"
    "  show --json       print every stored value as one JSON object\n"
    "  get KEY...        print each value named, one a line\n"
    "  set KEY=VALUE...  change values and save the files that change\n"
    "  check             read every file and report each problem found\n"
    "  init              write the bundled example configuration here\n"
    "\n"
    "Options:\n"
    "  -C DIR            work in DIR, as if started there\n"
    "  -h, --help        print this text\n"
    "  --version         print the version\n"
    "\n"
    "Keys are the field names: box_width, mc_steps[2], mb_ab.r0, qsc_a.name, ...\n"
    "Exit status: 0 done, 1 the report stopped with ERROR!!, 2 an error.\n"
    "See config(1) for the keys and the rules of set.\n";

bool is_command(std::string_view word) {
  return word == "show" || word == "get" || word == "set" || word == "check" || word == "init";
}

}  // namespace

std::string_view usage_text() { return kUsage; }

CommandLine parse_command_line(const std::vector<std::string_view>& args) {
  CommandLine line;
  Command& command = line.command;
  for (std::size_t i = 0; i < args.size() && line.error.empty(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "-h" || arg == "--help") {
      line.help = true;
    } else if (command.name.empty() && arg == "--version") {
      line.version = true;
    } else if (command.name.empty() && arg == "-C") {
      if (i + 1 == args.size()) {
        line.error = "option -C needs a directory";
      } else {
        line.directories.emplace_back(args[++i]);
      }
    } else if (command.name == "show" && arg == "--json") {
      command.json = true;
    } else if (!arg.empty() && arg[0] == '-' && (command.name != "set" || arg.find('=') == std::string_view::npos)) {
      line.error = "unknown option '" + std::string(arg) + "'";
    } else if (command.name.empty()) {
      if (!is_command(arg)) {
        line.error = "unknown command '" + std::string(arg) + "'";
      } else {
        command.name = arg;
      }
    } else if (command.name == "get" || command.name == "set") {
      command.operands.emplace_back(arg);
    } else {
      line.error = command.name + " takes no argument '" + std::string(arg) + "'";
    }
  }
  return line;
}

int run_command_line(const std::vector<std::string_view>& args, OutputWriter& out, OutputWriter& err,
                     bool& interactive) {
  interactive = false;
  const CommandLine line = parse_command_line(args);
  if (!line.error.empty()) {
    err << "config: " << line.error << "\n";
    err << "Try 'config --help' for more information.\n";
    err.flush();
    return 2;
  }
  if (line.help) {
    out << usage_text();
    out.flush();
    return 0;
  }
  if (line.version) {
    out << "config " CONFIG_VERSION "\n";
    out.flush();
    return 0;
  }
  for (const std::string& directory : line.directories) {
    if (::chdir(directory.c_str()) != 0) {
      err << "config: cannot change to '" << directory << "': " << std::strerror(errno) << "\n";
      err.flush();
      return 2;
    }
  }
  if (line.command.name.empty()) {
    interactive = true;
    return 0;
  }
  DiskFileSystem files(".");
  return run_command(line.command, files, out, err);
}

}  // namespace cfg
