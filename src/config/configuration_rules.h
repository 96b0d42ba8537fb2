#pragma once

#include <cstdint>

#include "config/config_record.h"
#include "config/energy_model.h"
#include "config/potential_types.h"

namespace cfg {

// The rules that derive stored values from others. The interactive program
// and the commands call these, and nothing else says them.

// ---- start-up ----

// A seeded run always starts from the structure of one particle fewer: a
// seed other than 0 becomes particle_count - 1.
std::int32_t seed_at_startup(std::int32_t seed, std::int32_t particle_count);

// Sets a_atom_count from `source`. The model holds what its files hold, so
// alloy_file leaves the count as alloy.dat gave it.
void take_a_atom_count(EnergyModel& model, AtomCountSource source, std::int32_t particle_count);

// Everything start-up makes of what the files hold: the seed rule, no
// recovery, and the potential type's count of A atoms.
void apply_startup_rules(ConfigRecord& config, EnergyModel& model, std::int32_t particle_count, std::int32_t& seed);

// ---- save ----

// The squared close-packing radius for a cluster of particle_count particles.
double close_pack_value(std::int32_t particle_count);

// Under LBFGS every save replaces func_bc by the close-pack value, and
// box_width too with close_pack 1.
bool save_replaces_func_bc(const ConfigRecord& config);
bool save_replaces_box_width(const ConfigRecord& config);
void apply_save_rules(ConfigRecord& config, std::int32_t particle_count);

// ---- report ----

// The report stops with ERROR!! at a temp_range_use that is none of its codes.
bool stops_the_report(const ConfigRecord& config);

}  // namespace cfg
