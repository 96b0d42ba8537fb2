#pragma once

#include "config/session.h"

namespace cfg {

// Main-menu option 7: the initial condition, or the choice of the potential
// model followed by that model's editor. Returns to the main menu.
void edit_energy_parameters(Session& session);

}  // namespace cfg
