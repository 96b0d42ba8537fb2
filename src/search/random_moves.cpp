#include <cmath>
#include <span>

#include "search/monte_carlo_items.h"

namespace cfg {

namespace {

struct Limit {
  const char* prompt;
  double ConfigRecord::*field;
};

constexpr Limit kStepLimits[] = {
    {"VT>'ASTEP'*Vmin,ASTEP= (default=0.4D0)", &ConfigRecord::astep},
    {"The lower limit of ASTEP (default=1.D-4)", &ConfigRecord::astep_min},
    {"The upper limit of ASTEP (default<=1.D0)", &ConfigRecord::astep_max},
    {"The maximum change of any moving(default=0.36D0)", &ConfigRecord::step},
    {"The lower limit of STEP (default=1.D-4)", &ConfigRecord::step_min},
};

constexpr Limit kTemperatureLimits[] = {
    {"The lower limit of TEMP (default=1.D-4)", &ConfigRecord::temp_min},
    {"The upper limit of TEMP (default=100.D0)", &ConfigRecord::temp_max},
};

void ask_limits(Session& session, std::span<const Limit> limits) {
  for (const Limit& limit : limits) {
    session.term.say(limit.prompt);
    session.term.ask(session.config.*limit.field);
  }
}

}  // namespace

// Monte Carlo item 3. No limit is checked against its value or the other limit.
void ask_random_move_limits(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  ask_limits(session, kStepLimits);
  // The proposal follows func_bc as it stands now.
  term.say("The upper limit of STEP (default=", 0.5 * std::sqrt(config.func_bc), ")");
  term.ask(config.step_max);
  term.say("The temperature are now=", config.temp_from, " to ", config.temp_to);
  ask_limits(session, kTemperatureLimits);
  term.say("Input the adjustment of the Step,Astep and TEMP");
  term.say("(default=1.005D0)");
  term.ask(config.accept_check_adjust);
}

}  // namespace cfg
