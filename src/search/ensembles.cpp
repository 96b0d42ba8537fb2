#include "search/search_editors.h"
#include "config/wrapping_arithmetic.h"

namespace cfg {

namespace {

void ask_global_parents(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("Input parents number in GA: (default=15)");
    term.ask(config.gga_parents);
    if (config.gga_parents <= config.gga_ensembles) return;
    term.say("Unreasonable parent number !");
  }
}

// With fewer than two ensembles any same number is taken.
void ask_global_same_number(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    const std::int32_t proposal = wrapping_add(config.gga_ensembles, 1);
    term.say("Input same number in GA(default=", proposal, ")");
    term.say("Same number must between 2", " and ", proposal);
    term.ask(config.gga_same);
    if (config.gga_same >= 2 || config.gga_ensembles < 2) return;
    term.say("Unreasonable same number !");
  }
}

void ask_global_ga(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say("Input ensemble number: (default=20)");
  term.ask(config.gga_ensembles);
  ask_global_parents(session);
  term.say("There will be ", config.gga_ensembles, " -", config.gga_parents, "=",
           wrapping_sub(config.gga_ensembles, config.gga_parents), " children!!");
  term.blank_line();
  ask_global_same_number(session);
  term.say("Input the max generation in GA: (default=500)");
  term.ask(config.max_gens);
  if (config.gga_same > config.gga_ensembles) {
    term.say("It will never stop until reach", config.max_gens, " generations");
    term.blank_line();
  }
}

struct ParallelRunPrompts {
  const char* ensembles;
  const char* parents;
  const char* same;
};

constexpr ParallelRunPrompts kParallelRuns[] = {
    {"Input the ensemble number for 1st Run(default=20)", "Parallel GA parents number for 1st Run(default=15)",
     "Parallel GA same number for 1st Run(default="},
    {"Input the ensemble number for 2nd Run(default=20)", "Parallel GA parents number for 2nd Run(default=15)",
     "Parallel GA same number for 2nd Run(default="},
    {"Input the ensemble number for 3rd Run(default=20)", "Parallel GA parents number for 3rd Run(default=15)",
     "Parallel GA same number for 3rd Run(default="},
};

// Asks one run until same <= parents <= ensembles; the limit of 30 is only shown.
void ask_parallel_run(Session& session, int run) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  const ParallelRunPrompts& prompts = kParallelRuns[run - 1];
  for (;;) {
    term.say(prompts.ensembles);
    term.say("(Max limitation=30)");
    term.ask(config.pga_ensembles[run]);
    term.say(prompts.parents);
    term.ask(config.pga_parents[run]);
    term.say(prompts.same, wrapping_sub(config.pga_ensembles[run], config.pga_parents[run]), ")");
    term.ask(config.pga_same[run]);
    if (config.pga_parents[run] <= config.pga_ensembles[run] && config.pga_same[run] <= config.pga_parents[run]) {
      return;
    }
    term.say("WARNING!! INPUT ERROR,PLEASE INPUT AGAIN!!");
  }
}

// The same-or-separate answer is looked at only after run 1; anything but 1
// or 2 leaves runs 2 and 3 as they were.
void ask_parallel_ga(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say("Input the parameters of the Parallel GA");
  term.say("1.Use the same parameters for all Runs(default)");
  term.say("2.Use individual parameters for each Runs");
  const std::int32_t choice = term.ask_choice();
  ask_parallel_run(session, 1);
  if (choice == 1) {
    term.say("Use the same parameters!");
    for (int run = 2; run <= 3; ++run) {
      config.pga_ensembles[run] = config.pga_ensembles[1];
      config.pga_parents[run] = config.pga_parents[1];
      config.pga_same[run] = config.pga_same[1];
    }
  } else if (choice == 2) {
    ask_parallel_run(session, 2);
    ask_parallel_run(session, 3);
  }
}

}  // namespace

// Main-menu option 5. Any choice but 1 or 2 goes back without a message.
void edit_ensemble_parameters(Session& session) {
  Terminal& term = session.term;
  term.say("1.Input the parameters of the Global GA");
  term.say("2.Input the parameters of the Parallel GA");
  switch (term.ask_choice()) {
    case 1: ask_global_ga(session); break;
    case 2: ask_parallel_ga(session); break;
    default: break;
  }
}

}  // namespace cfg
