#include "search/accuracy_items.h"
#include "search/monte_carlo_items.h"

namespace cfg {

// Accuracy-menu item 2. Any choice but 1 to 4 goes back without a message.
void run_monte_carlo_menu(Session& session) {
  Terminal& term = session.term;
  for (;;) {
    term.say("1.Change Basin-Hopping or PGA step numbers");
    term.say("2.Change Multicanonical BH parameters");
    term.say("3.Change Random move parameters");
    term.say("4.Change Acceptance Ratio parameters");
    term.say("5.Back to previous selection");
    switch (term.ask_choice()) {
      case 1: ask_runs_and_energy_range(session); break;
      case 2: ask_multicanonical_parameters(session); break;
      case 3: ask_random_move_limits(session); break;
      case 4: ask_acceptance_control(session); break;
      default: return;
    }
  }
}

bool multicanonical_in_use(const ConfigRecord& config) {
  const RunArray<std::int32_t>& method = config.run_method;
  return method[1] == 1 || method[2] == 1 || method[3] == 1 || method[1] == 4;
}

}  // namespace cfg
