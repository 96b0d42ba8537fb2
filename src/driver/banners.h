#pragma once

#include "io/terminal.h"

namespace cfg {

void print_start_banner(Terminal& term);
void print_closing_banner(Terminal& term);

}  // namespace cfg
