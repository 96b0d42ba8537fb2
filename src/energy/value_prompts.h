#pragma once

#include <span>

#include "io/terminal.h"

namespace cfg {

// One question of a parameter block: the prompt line and the value it fills.
template <class Set>
struct ValuePrompt {
  const char* text;
  double Set::*field;
};

// Asks each question in turn, one list-directed read per value; a null answer
// leaves the value as it was.
template <class Set>
void ask_values(Terminal& term, Set& set, std::span<const ValuePrompt<Set>> prompts) {
  for (const ValuePrompt<Set>& prompt : prompts) {
    term.say(prompt.text);
    term.ask(set.*prompt.field);
  }
}

}  // namespace cfg
