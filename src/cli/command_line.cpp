#include "cli/command_line.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "cli/command_table.h"
#include "io/file_system.h"
#include "io/message_text.h"
#include "io/output_writer.h"

namespace cfg {

namespace {

// "  show              print ...": the synopsis in a column of 18; a longer
// one has the line to itself, and its summary goes under the others'.
void append_usage_line(std::string& text, std::string_view synopsis, std::string_view summary) {
  text.append("  ").append(synopsis);
  if (synopsis.size() < 18) {
    text.append(18 - synopsis.size(), ' ');
  } else {
    text.append("\n").append(20, ' ');
  }
  text.append(summary).append("\n");
}

std::string make_usage_text() {
  std::string text =
      "usage: config [-C DIR] [COMMAND [ARGS]]\n"
      "\n"
      "With no command, config is the interactive editor of the configuration files\n"
      "in the working directory. The commands are for scripts:\n"
      "\n";
  for (const CommandForm& form : command_forms()) append_usage_line(text, form.synopsis(), form.summary);
  text += "\nOptions:\n";
  for (const ProgramOption& option : program_options()) append_usage_line(text, option.spelling, option.summary);
  text +=
      "\n"
      "Keys are the field names: box_width, mc_steps[2], mb_ab.r0, qsc_a.name, ...\n"
      "Exit status: 0 done; 1 the report stopped with ERROR!! (show), the two differ\n"
      "(diff) or no key matched (keys); 2 an error.\n"
      "See config(1) for the keys and the rules of set and apply.\n";
  return text;
}

bool is_command(std::string_view word) { return find_command_form(word, "") != nullptr; }

}  // namespace

std::string_view usage_text() {
  static const std::string text = make_usage_text();
  return text;
}

CommandLine parse_command_line(const std::vector<std::string_view>& args) {
  CommandLine line;
  Command& command = line.command;
  const CommandForm* form = nullptr;
  bool options_ended = false;  // after "--" every word is a command or an operand
  for (std::size_t i = 0; i < args.size() && line.error.empty(); ++i) {
    const std::string_view arg = args[i];
    // A lone "-" is an operand: standard input.
    const bool option = !options_ended && arg.size() > 1 && arg[0] == '-';
    if (option && arg == "--") {
      options_ended = true;
    } else if (option && (arg == "-h" || arg == "--help")) {
      line.help = true;
    } else if (option && !form && arg == "--version") {
      line.version = true;
    } else if (option && !form && arg == "-C") {
      if (i + 1 == args.size()) {
        line.error = "option -C needs a directory";
      } else {
        line.directories.emplace_back(args[++i]);
      }
    } else if (option && form && find_command_form_adding(command.name, command.option, arg)) {
      form = find_command_form_adding(command.name, command.option, arg);
      command.option = form->option;
    } else if (option && !(form && form->takes_pairs() && arg.find('=') != std::string_view::npos)) {
      line.error = "unknown option '" + printable(arg) + "'";
    } else if (!form) {
      if (!is_command(arg)) {
        line.error = "unknown command '" + printable(arg) + "'";
      } else {
        command.name = arg;
        form = find_command_form(arg, "");
      }
    } else if (form->takes_operands()) {
      command.operands.emplace_back(arg);
    } else {
      line.error = command.name + " takes no argument '" + printable(arg) + "'";
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
      err << "config: cannot change to '" << printable(directory) << "': " << std::strerror(errno) << "\n";
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
