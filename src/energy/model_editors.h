#pragma once

#include "config/session.h"

namespace cfg {

// The editor of each potential model, entered from option 7 once the new
// potential_type is set. Each returns to the main menu.
void edit_many_body_potential(Session& session);  // types 1 and 2
void edit_protein_folding(Session& session);      // types 3, 4 and 6
void edit_eam_parameters(Session& session);       // type 5
void edit_qsc_parameters(Session& session);       // type 9
void edit_chen_imamura_model(Session& session);   // types 7 and 8

}  // namespace cfg
