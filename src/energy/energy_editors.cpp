#include "energy/energy_editors.h"

// Not built yet: until then option 7 answers as an unknown choice would.
namespace cfg {

void edit_energy_parameters(Session& session) { session.term.input_error(); }

}  // namespace cfg
