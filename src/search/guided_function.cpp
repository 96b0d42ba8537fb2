#include "search/accuracy_items.h"

namespace cfg {

// Accuracy-menu item 3. Nothing is refused: any value but 1 goes on as "use".
void ask_guided_function(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say("1.Do not use Guided Function(default)");
  term.say("2.Use Guided function");
  term.ask(config.guided_function);
  if (config.guided_function == 1) return;

  term.say("Please Input the Guided function resolution");
  term.say("(default=50)");
  term.ask(config.guided_bins);

  term.say("1.Use temperature for Guided function,Now the T=", config.temp_to);
  term.say("2.Do not use temperature for Guided function(default)");
  term.ask(config.guided_use_temperature);
  // The temperature is copied now; a later change of it does not follow.
  if (config.guided_use_temperature == 1) {
    config.guided_probability = config.temp_to;
    return;
  }
  term.say("Input the acceptance probability(default=0.001D0)");
  term.ask(config.guided_probability);
}

}  // namespace cfg
