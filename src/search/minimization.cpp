#include "search/search_editors.h"

namespace cfg {

namespace {

void ask_method(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("Minimization method to use ? (default=5)");
    term.say("1. Only Simplex");
    term.say("2. Only Conjugate Gradient");
    term.say("3. Conjugate Gradient then Simplex");
    term.say("4. Simplex then Conjugate Gradient");
    term.say("5. LBFGS");
    term.say("6. Do not use any local minimum method!");
    term.ask(config.min_method);
    // Item 6 is listed but refused like any other value.
    if (config.min_method >= 1 && config.min_method <= 5) break;
    term.input_error();
  }
  const bool conjugate_gradient = config.min_method >= 2 && config.min_method <= 4;
  if (conjugate_gradient) config.func_bc = 500.0;
}

void ask_center_of_mass(Session& session) {
  Terminal& term = session.term;
  std::int32_t& center_of_mass = session.model.center_of_mass;
  for (;;) {
    term.say("1.move coords to center of mass!");
    term.say("2.Do not move coords to center of mass!");
    term.say("(default=2)");
    term.ask(center_of_mass);
    if (center_of_mass == 1 || center_of_mass == 2) return;
    term.input_error();
  }
}

}  // namespace

// Main-menu option 2.
void edit_minimization_method(Session& session) {
  ask_method(session);
  ask_center_of_mass(session);
}

}  // namespace cfg
