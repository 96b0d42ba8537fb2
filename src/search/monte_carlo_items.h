#pragma once

#include "config/session.h"

namespace cfg {

// The four items of the Monte Carlo menu; each returns to it.
void ask_runs_and_energy_range(Session& session);      // 1
void ask_multicanonical_parameters(Session& session);  // 2
void ask_random_move_limits(Session& session);         // 3
void ask_acceptance_control(Session& session);         // 4

// Some run uses multicanonical basin hopping, or run 1 multicanonical annealing.
bool multicanonical_in_use(const ConfigRecord& config);

}  // namespace cfg
