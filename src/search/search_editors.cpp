#include "search/search_editors.h"

// Not built yet: until then each option answers as an unknown choice would.
namespace cfg {

void edit_seeding_number(Session& session) { session.term.input_error(); }
void edit_minimization_method(Session& session) { session.term.input_error(); }
void edit_recording_and_backup(Session& session) { session.term.input_error(); }
void edit_program_accuracy(Session& session) { session.term.input_error(); }
void edit_ensemble_parameters(Session& session) { session.term.input_error(); }
void edit_ratio_of_moving(Session& session) { session.term.input_error(); }
void show_online_help(Session& session) { session.term.input_error(); }
void edit_recover_method(Session& session) { session.term.input_error(); }

}  // namespace cfg
