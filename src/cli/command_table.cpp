#include "cli/command_table.h"

#include <algorithm>
#include <array>

#include "cli/commands.h"
#include "cli/key_commands.h"

namespace cfg {

namespace {

int run_show(FileSystem& files, const std::vector<std::string>&, OutputWriter& out, OutputWriter& err) {
  return show_report(files, out, err);
}
int run_show_json(FileSystem& files, const std::vector<std::string>&, OutputWriter& out, OutputWriter& err) {
  return show_json(files, out, err);
}
int run_check(FileSystem& files, const std::vector<std::string>&, OutputWriter& out, OutputWriter& err) {
  return check_configuration(files, out, err);
}
int run_init(FileSystem& files, const std::vector<std::string>&, OutputWriter& out, OutputWriter& err) {
  return write_example_configuration(files, out, err);
}

// What a form says when its operands are missing, one text for both forms
// of a command.
constexpr std::string_view kSetNeedsPairs = "set needs at least one KEY=VALUE (see config --help)";
constexpr std::string_view kApplyNeedsFile = "apply needs a JSON file, or - for standard input";
constexpr std::string_view kDiffNeedsOperand = "diff needs a configuration to compare with: a directory or a JSON file";

constexpr std::array kCommandForms = {
    CommandForm{"show", "", "", "", "print the summary report of the stored configuration", run_show,
                InterruptedSave::finish},
    CommandForm{"show", "--json", "", "", "print every stored value as one JSON object", run_show_json,
                InterruptedSave::finish},
    CommandForm{"get", "", "KEY...", "get needs at least one key (see config --help)",
                "print each value named, one a line", get_values, InterruptedSave::finish},
    CommandForm{"set", "", "KEY=VALUE...", kSetNeedsPairs,
                "change values and save the files that change", set_values, InterruptedSave::finish},
    CommandForm{"set", "--dry-run", "KEY=VALUE...", kSetNeedsPairs,
                "print what set would change, and change nothing", set_values_dry_run, InterruptedSave::finish},
    CommandForm{"apply", "", "FILE", kApplyNeedsFile,
                "change the values a JSON object gives, as set does", apply_values, InterruptedSave::finish},
    CommandForm{"apply", "--dry-run", "FILE", kApplyNeedsFile,
                "print what apply would change, and change nothing", apply_values_dry_run, InterruptedSave::finish},
    CommandForm{"diff", "", "[A] B", kDiffNeedsOperand,
                "print the values that differ between two configurations", diff_configurations,
                InterruptedSave::finish},
    CommandForm{"diff", "--json", "[A] B", kDiffNeedsOperand,
                "the same as one JSON object", diff_configurations_json, InterruptedSave::finish},
    CommandForm{"diff", "--last-save", "", "", "print what the last save changed, from its NAME~ backups",
                diff_last_save, InterruptedSave::finish},
    CommandForm{"diff", "--last-save --json", "", "", "the same as one JSON object", diff_last_save_json,
                InterruptedSave::finish},
    CommandForm{"check", "", "", "", "read every file and report each problem found", run_check,
                InterruptedSave::report},
    CommandForm{"init", "", "", "", "write the bundled example configuration here", run_init,
                InterruptedSave::finish},
    CommandForm{"keys", "", "[PATTERN...]", "", "list the keys with their kinds, files and meanings", list_keys,
                InterruptedSave::leave},
    CommandForm{"keys", "--json", "[PATTERN...]", "", "the same as one JSON array", list_keys_json,
                InterruptedSave::leave},
    CommandForm{"completion", "", "bash|zsh|fish", "completion needs a shell: bash, zsh or fish",
                "print the shell's completion script", print_completion, InterruptedSave::leave},
};

constexpr std::array kProgramOptions = {
    ProgramOption{"-C DIR", "work in DIR, as if started there"},
    ProgramOption{"-h, --help", "print this text"},
    ProgramOption{"--version", "print the version"},
};

}  // namespace

std::string CommandForm::synopsis() const {
  std::string text(name);
  if (!option.empty()) text.append(" ").append(option);
  if (!operands.empty()) text.append(" ").append(operands);
  return text;
}

std::span<const CommandForm> command_forms() { return kCommandForms; }

std::vector<std::string_view> option_words_of(std::string_view option) {
  std::vector<std::string_view> words;
  while (!option.empty()) {
    const std::size_t blank = option.find(' ');
    words.push_back(option.substr(0, blank));
    option = blank == std::string_view::npos ? std::string_view() : option.substr(blank + 1);
  }
  return words;
}

const CommandForm* find_command_form_adding(std::string_view name, std::string_view option, std::string_view added) {
  std::vector<std::string_view> wanted = option_words_of(option);
  if (std::find(wanted.begin(), wanted.end(), added) != wanted.end()) return nullptr;
  wanted.push_back(added);
  std::sort(wanted.begin(), wanted.end());
  for (const CommandForm& form : kCommandForms) {
    std::vector<std::string_view> words = option_words_of(form.option);
    std::sort(words.begin(), words.end());
    if (form.name == name && words == wanted) return &form;
  }
  return nullptr;
}

const CommandForm* find_command_form(std::string_view name, std::string_view option) {
  for (const CommandForm& form : kCommandForms) {
    if (form.name == name && form.option == option) return &form;
  }
  return nullptr;
}

std::span<const ProgramOption> program_options() { return kProgramOptions; }

}  // namespace cfg
