#include "io/terminal.h"

#include <string>

#include "io/errors.h"

namespace cfg {

std::int32_t Terminal::ask_choice() {
  std::int32_t choice = 0;
  ask(choice);
  return choice;
}

void Terminal::input_error() {
  blank_line();
  say("WARING!!!!!!!!!!!!!!!!!!!!!!!!!");
  say("Can not recognize the input parameter!");
  say("Please select again!");
  blank_line();
}

std::string Terminal::next_keyboard_line(const char* expected) {
  out_.flush();
  std::string_view line;
  if (!keyboard_.next_line(line)) throw FatalError(std::string("keyboard: input ended while ") + expected + " was expected");
  return std::string(line);
}

std::optional<std::int32_t> Terminal::read_menu_choice() {
  const std::string line = next_keyboard_line("a menu choice");
  std::string field;
  for (std::size_t i = 0; i < 2 && i < line.size(); ++i) {
    if (line[i] != ' ') field += line[i];
  }
  if (field.empty()) return 0;
  const bool signed_field = field[0] == '+' || field[0] == '-';
  const std::size_t digits = field.size() - (signed_field ? 1 : 0);
  if (digits == 0) return std::nullopt;
  for (std::size_t i = signed_field ? 1 : 0; i < field.size(); ++i) {
    if (field[i] < '0' || field[i] > '9') return std::nullopt;
  }
  std::int32_t choice = 0;
  if (!parse_integer(field, choice)) return std::nullopt;
  return choice;
}

FixedText<4> Terminal::read_answer_line() {
  const std::string line = next_keyboard_line("an answer");
  return FixedText<4>(line);
}

void Terminal::pause() {
  out_.flush();
  err_ << "Paused. Type go and press ENTER to continue: ";
  err_.flush();
  const std::string line = next_keyboard_line("go");
  if (line != "go") throw ProgramStop{0};
  err_ << "Continuing.\n";
  err_.flush();
}

}  // namespace cfg
