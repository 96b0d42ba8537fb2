#include "search/monte_carlo_items.h"

namespace cfg {

namespace {

void ask_histogram(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say("You are using Multi-Canonical Basin-Hopping!");
  if (config.run_method[1] == 4) term.say("Using MMC Annealing!");
  term.say("Please Input parameters:");
  term.say("1.Using Berg weighting for MBH parameters");
  term.say("2.Do not use Berg weighting");
  term.say("(default=1)");
  term.ask(config.berg_weighting);
  term.say("# of Multicanonical BH BINS:(default=100)");
  term.ask(config.mbh_bins);
}

void ask_temperature_range(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say(" Input initial temperature from:(default=0.08D0)");
  term.ask(config.temp_from);
  term.say(" To :(default=0.8D0)");
  term.ask(config.temp_to);
}

// Only 1 and 2 are taken: the summary report cannot show any other use and
// would stop the program at the next save.
void ask_range_use(Session& session) {
  Terminal& term = session.term;
  std::int32_t& range_use = session.config.temp_range_use;
  for (;;) {
    term.say("Please select what this range use for?(default=1)");
    term.say("1.Use the temperature range for all ensembles");
    term.say("2.Use the temperature range for the children");
    term.ask(range_use);
    if (range_use == 1 || range_use == 2) return;
    term.input_error();
  }
}

void ask_quenching_rate(Session& session) {
  session.term.say(" Input the quenching rate:(default=1.D0)");
  session.term.ask(session.config.quench_rate);
}

// Reads TEMPFD and shows the BETA0 it gives; true when TEMPFD lies below the
// temperature range.
bool ask_tempfd(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say("INITIAL TEMPFD:(default=BETA0=1/(", config.temp_to, "-         TEMPFD))");
  term.say("(default TEMPFD=", config.temp_to - 1000.0, "D0)");
  term.ask(config.tempfd);
  config.beta0 = 1.0 / (config.temp_to - config.tempfd);
  term.say("BETA0=", config.beta0);
  if (config.tempfd < config.temp_from) return true;
  // The test is against the lower temperature; the message shows the upper one.
  term.say(" ATTATION!!");
  term.say(" Your current max temperature is ", config.temp_to);
  term.say(" TEMPFD=", config.tempfd);
  term.say(" It is out of range!");
  term.say(" Please select again!");
  return false;
}

}  // namespace

// Monte Carlo item 2. A TEMPFD out of range asks the temperatures again.
void ask_multicanonical_parameters(Session& session) {
  const bool multicanonical = multicanonical_in_use(session.config);
  if (multicanonical) {
    ask_histogram(session);
  } else {
    session.term.say("You are using Single-Canonical Basin-Hopping!");
  }
  for (;;) {
    ask_temperature_range(session);
    ask_range_use(session);
    ask_quenching_rate(session);
    if (!multicanonical || ask_tempfd(session)) return;
  }
}

}  // namespace cfg
