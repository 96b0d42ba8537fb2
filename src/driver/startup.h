#pragma once

#include "config/session.h"

namespace cfg {

// Prints the start banner and the notice and loads the whole configuration,
// every file in the order of startup_file_names(), then applies the start-up
// rules for seed, recover and a_atom_count.
void start_up(Session& session);

// What option 8 reads again: data.dat, atom_num.dat and the energy model of
// the stored type, without the start-up rules.
void reload_stored_configuration(Session& session);

}  // namespace cfg
