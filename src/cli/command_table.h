#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/file_system.h"
#include "io/output_writer.h"

namespace cfg {

// Runs one command on the configuration in `files` with the operands typed
// after it; the result is the exit status.
using CommandHandler = int (*)(FileSystem& files, const std::vector<std::string>& operands, OutputWriter& out,
                               OutputWriter& err);

// What a command does about a save that was cut off: every command that
// reads the configuration finishes it first, check only reports it (it
// changes nothing), and the commands that read no configuration leave it.
enum class InterruptedSave { finish, report, leave };

// One form of a command of the command line: its name, the option that
// selects this form (show --json), the operands it takes, its line of the
// usage text and what runs it. The usage text, the parsing of the arguments
// and the dispatch all walk this one table.
struct CommandForm {
  std::string_view name;
  std::string_view option;     // the options of this form, in the usage text's order; empty: the plain form
  std::string_view operands;   // as the usage text names them; empty: none taken
  std::string_view missing;    // the error when operands are taken but none were given; empty: they are optional
  std::string_view summary;    // the usage text's description
  CommandHandler handler;
  InterruptedSave interrupted_save;

  // "set KEY=VALUE..."
  std::string synopsis() const;
  bool takes_operands() const { return !operands.empty(); }
  // KEY=VALUE operands: a word with '=' is one even when it starts with '-'.
  bool takes_pairs() const { return operands.find('=') != std::string_view::npos; }
};

// Every command form, in the order of the usage text.
std::span<const CommandForm> command_forms();

// The form named `name` with `option` ("" for the plain form); null when
// there is none.
const CommandForm* find_command_form(std::string_view name, std::string_view option);
// The form named `name` whose options are those of `form` and `added`, in
// whatever order they were typed; null when there is none.
const CommandForm* find_command_form_adding(std::string_view name, std::string_view option, std::string_view added);
// The options of a form, one word each: "--last-save --json" -> both.
std::vector<std::string_view> option_words_of(std::string_view option);

// An option of the program itself, given before the command.
struct ProgramOption {
  std::string_view spelling;  // "-C DIR", "-h, --help"
  std::string_view summary;
};
std::span<const ProgramOption> program_options();

}  // namespace cfg
