#pragma once

#include "config/session.h"

namespace cfg {

// Prints the start banner and the notice and loads the whole configuration,
// applying the start-up rules for seed, recover and a_atom_count.
void start_up(Session& session);

}  // namespace cfg
