#include "search/monte_carlo_items.h"

namespace cfg {

// Monte Carlo item 4.
void ask_acceptance_control(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say("The interval at which the acceptance ratio is checked");
  term.say("(default=1)");
  term.ask(config.accept_check_every);

  term.say("Acceptance ratio for MC exploration:");
  term.say("Please Note!!");
  term.say("This value should dynamically change");
  term.say("Each case should have its own Acceptance ratio");
  term.say("You have to check the hit rate(rate) while running the program!");
  term.say("(default=0.5D0)");
  term.ask(config.accept_ratio);

  term.say("Input the adjustment of the Acceptance ratio");
  term.say("(default=0.005D0)");
  term.ask(config.accept_ratio_adjust);

  term.say("1.Fix temperature(default)");
  term.say("2.Do not fix temperature");
  term.ask(config.fix_temperature);
  term.say("1.Fix steps");
  term.say("2.Do not fix steps(default)");
  term.ask(config.fix_steps);

  config.fix_both = config.fix_temperature == 1 && config.fix_steps == 1 ? 1 : 2;
}

}  // namespace cfg
