#pragma once

#include "config/session.h"

namespace cfg {

// The three items of the accuracy menu (main-menu option 4); each returns to it.
void ask_local_minimum_questions(Session& session);  // 1
void run_monte_carlo_menu(Session& session);         // 2
void ask_guided_function(Session& session);          // 3

}  // namespace cfg
