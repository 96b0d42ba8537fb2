#pragma once

#include "config/session.h"

namespace cfg {

// Shows the main menu and dispatches choices until option 8 or 9 ends the
// program.
void run_main_menu(Session& session);

// Option 8: reads the configuration on disk again, reports it and stops.
void quit_without_saving(Session& session);

}  // namespace cfg
