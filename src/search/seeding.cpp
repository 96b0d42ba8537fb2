#include "search/search_editors.h"
#include "config/wrapping_arithmetic.h"

namespace cfg {

// Main-menu option 1. The proposal is stored before the read, so an answer
// that supplies no value keeps it.
void edit_seeding_number(Session& session) {
  Terminal& term = session.term;
  term.say("Input Seeding number (0 for no seeding)");
  session.seed = wrapping_sub(session.particle_count, 1);
  term.say("Input the seeding number: (default=", session.seed, ")");
  term.ask(session.seed);
}

}  // namespace cfg
