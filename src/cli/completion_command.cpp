#include <algorithm>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/commands.h"
#include "cli/completion_scripts.h"
#include "cli/key_catalogue.h"
#include "cli/key_commands.h"
#include "io/output_writer.h"

namespace cfg {

namespace {

std::vector<std::string_view> command_names() {
  std::vector<std::string_view> names;
  const auto add = [&](std::string_view name) {
    for (std::string_view known : names) {
      if (known == name) return;
    }
    names.push_back(name);
  };
  for (const CommandForm& form : command_forms()) add(form.name);
  return names;
}

// "-h, --help" -> {"-h", "--help"}; "-C DIR" -> {"-C"}.
std::vector<std::string_view> option_words(std::string_view spelling) {
  std::vector<std::string_view> words;
  while (!spelling.empty()) {
    const std::size_t comma = spelling.find(", ");
    const std::string_view part = spelling.substr(0, comma);
    words.push_back(part.substr(0, part.find(' ')));
    spelling = comma == std::string_view::npos ? std::string_view() : spelling.substr(comma + 2);
  }
  return words;
}

std::string joined(const std::vector<std::string_view>& words) {
  std::string text;
  for (std::string_view word : words) text.append(text.empty() ? "" : " ").append(word);
  return text;
}

std::string program_option_words() {
  std::vector<std::string_view> words;
  for (const ProgramOption& option : program_options()) {
    for (std::string_view word : option_words(option.spelling)) words.push_back(word);
  }
  return joined(words);
}

// The options of each command's forms: {"show", {"--json"}}, ...
std::vector<std::pair<std::string_view, std::vector<std::string_view>>> command_options() {
  std::vector<std::pair<std::string_view, std::vector<std::string_view>>> options;
  for (const CommandForm& form : command_forms()) {
    if (form.option.empty()) continue;
    if (options.empty() || options.back().first != form.name) options.emplace_back(form.name, 0);
    for (std::string_view word : option_words_of(form.option)) {
      auto& words = options.back().second;
      if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
    }
  }
  return options;
}

std::string quoted_for_fish(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "'";
}

std::string fish_option_lines() {
  std::string lines;
  for (const ProgramOption& option : program_options()) {
    std::string line = "complete -c config -n 'not __config_command'";
    for (std::string_view word : option_words(option.spelling)) {
      line.append(word.substr(0, 2) == "--" ? " -l " : " -s ").append(word.substr(word.find_first_not_of('-')));
    }
    if (option.spelling.find(' ') < option.spelling.find(',')) line += " -r";
    lines += line + " -d " + quoted_for_fish(option.summary) + "\n";
  }
  return lines;
}

std::string fish_command_lines() {
  std::string lines;
  for (std::string_view name : command_names()) {
    lines.append("complete -c config -n 'not __config_command' -a ").append(name);
    const CommandForm* form = find_command_form(name, "");
    if (form != nullptr) lines.append(" -d ").append(quoted_for_fish(form->summary));
    lines += "\n";
  }
  return lines;
}

std::string replaced(std::string_view script, std::string_view placeholder, const std::string& text) {
  std::string result(script);
  for (std::size_t at = result.find(placeholder); at != std::string::npos; at = result.find(placeholder, at)) {
    result.replace(at, placeholder.size(), text);
    at += text.size();
  }
  return result;
}

std::string completion_script(std::string_view shell) {
  const std::string commands = joined(command_names());
  const std::string options = program_option_words();
  std::string bash_options, zsh_options, fish_options;
  for (const auto& [name, words] : command_options()) {
    bash_options.append("            ").append(name).append(") _config_reply \"$cur\" ").append(joined(words));
    bash_options.append(" ;;\n");
    zsh_options.append("      ").append(name).append(") compadd -- ").append(joined(words)).append(" ;;\n");
    for (std::string_view word : words) {
      fish_options.append("complete -c config -n '__config_command_is ").append(name).append("' -l ");
      fish_options.append(word.substr(2)).append("\n");
    }
  }
  std::string script;
  if (shell == "bash") {
    script = replaced(replaced(replaced(kBashCompletion, "@COMMANDS@", commands), "@OPTIONS@", options),
                      "@BASH_COMMAND_OPTIONS@", bash_options);
  } else if (shell == "zsh") {
    script = replaced(replaced(replaced(kZshCompletion, "@COMMANDS@", commands), "@OPTIONS@", options),
                      "@ZSH_COMMAND_OPTIONS@", zsh_options);
  } else if (shell == "fish") {
    script = replaced(replaced(replaced(kFishCompletion, "@FISH_OPTIONS@", fish_option_lines()), "@FISH_COMMANDS@",
                               fish_command_lines()),
                      "@FISH_COMMAND_OPTIONS@", fish_options);
  }
  return script;
}

// What the scripts complete keys from: each key, a column of sets by its
// first set, then the codes of a coded key.
void print_key_words(OutputWriter& out) {
  for (const KeyDescription& key : key_descriptions()) {
    std::string line = key.key;
    if (line.ends_with("[k]")) line.replace(line.size() - 2, 1, "1");
    for (const auto& code : key.codes) line.append(" ").append(std::to_string(code.first));
    out << line << "\n";
  }
}

}  // namespace

int print_completion(FileSystem&, const std::vector<std::string>& operands, OutputWriter& out, OutputWriter& err) {
  if (operands.size() != 1) return operand_error(err, "completion takes one shell: bash, zsh or fish");
  if (operands[0] == "keys") {
    print_key_words(out);
    return 0;
  }
  const std::string script = completion_script(operands[0]);
  if (script.empty()) return operand_error(err, "completion: unknown shell '" + operands[0] + "' (bash, zsh or fish)");
  out << script;
  return 0;
}

}  // namespace cfg
