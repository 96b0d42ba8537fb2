#pragma once

#include "config/session.h"

namespace cfg {

// The search-control editors of the main menu, in menu order. Each asks its
// questions, changes the session in place and returns to the main menu.
void edit_seeding_number(Session& session);        // 1
void edit_minimization_method(Session& session);   // 2
void edit_recording_and_backup(Session& session);  // 3
void edit_program_accuracy(Session& session);      // 4
void edit_ensemble_parameters(Session& session);   // 5
void edit_ratio_of_moving(Session& session);       // 6
void show_online_help(Session& session);           // 10
void edit_recover_method(Session& session);        // 11

}  // namespace cfg
