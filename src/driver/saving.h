#pragma once

#include <cstdint>

#include "config/session.h"

namespace cfg {

// The squared close-packing radius for a cluster of particle_count particles.
double close_pack_value(std::int32_t particle_count);

// Main-menu option 9: the report, the save question and the save. True when
// the program ends here, false when a wrong answer returns to the main menu.
bool quit_and_save(Session& session);

// Writes data.dat, atom_num.dat and the energy-model files of the current
// potential type. Checks first that every file that must exist does, and
// replaces each file as a whole.
void save_configuration(Session& session);

}  // namespace cfg
