#include "search/monte_carlo_items.h"

namespace cfg {

namespace {

// Run methods as the menus number them.
constexpr std::int32_t kMulticanonical = 1;
constexpr std::int32_t kCanonical = 2;
constexpr std::int32_t kParallelGa = 3;
constexpr std::int32_t kAnnealing = 4;
constexpr std::int32_t kAfterAnnealing = 5;

// What each run asks for its length, by its method.
struct RunLengthQuestions {
  int run;
  const char* multicanonical_steps;
  const char* multicanonical_count;
  const char* canonical_steps;
  const char* generations;
  std::int32_t parallel_ga_mmc_max;
};

constexpr RunLengthQuestions kFirstRun{1,
                                       "Monte Carlo step number for 1st Run:(default=100)",
                                       "Multi-Canonical MC number for 1st Run:(default=30)",
                                       "Monte Carlo step number for 1st Run:(default=5000)",
                                       "Parallel GA generation number for 1st Run(default=500)",
                                       1};
constexpr RunLengthQuestions kSecondRun{2,
                                        "Monte Carlo step number for 2nd Run:(default=50)",
                                        "Multi-Canonical MC number for 2nd Run:(default=30)",
                                        "Monte Carlo step number for 2nd Run:(default=500)",
                                        "Parallel GA generation number for 2nd Run(default=500)",
                                        2};
constexpr RunLengthQuestions kThirdRun{3,
                                       "Monte Carlo step number for 3rd Run:(default=100)",
                                       "Multi-Canonical MC number for 3rd Run:(default=30)",
                                       "Monte Carlo step number for 3rd Run:(default=5000)",
                                       "Parallel GA generation number for 3rd Run(default=500)",
                                       1};

// Asks the length of a run of the given method; false for a method that has
// no length questions.
bool ask_run_length(Session& session, const RunLengthQuestions& questions, std::int32_t method) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  const int run = questions.run;
  switch (method) {
    case kMulticanonical:
      term.say(questions.multicanonical_steps);
      term.ask(config.mc_steps[run]);
      term.say(questions.multicanonical_count);
      term.ask(config.mmc_max[run]);
      return true;
    case kCanonical:
      term.say(questions.canonical_steps);
      term.ask(config.mc_steps[run]);
      config.mmc_max[run] = 1;
      return true;
    case kParallelGa:
      term.say(questions.generations);
      term.ask(config.mc_steps[run]);
      config.mmc_max[run] = questions.parallel_ga_mmc_max;
      return true;
    default:
      return false;
  }
}

void ask_first_run(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("For Multi-canonical Monte Carlo,MC must>1");
    term.say("1st MC RUN:");
    term.say("1.Use Multi-canonical Basin-Hopping");
    term.say("2.Use Canonical Basin-Hopping(default)");
    term.say("3.USE Parallel GA");
    term.say("4.USE Multi-canonical Annealing");
    term.ask(config.run_method[1]);
    // Annealing asks its length as canonical basin hopping does.
    const std::int32_t method = config.run_method[1] == kAnnealing ? kCanonical : config.run_method[1];
    if (ask_run_length(session, kFirstRun, method)) break;
    term.input_error();
  }
  config.energy_range_mode = 0;
}

// After multicanonical annealing the second run is fixed: its method and
// energy range are set, only its length is asked.
void ask_second_run(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("2nd MC RUN:");
    if (config.run_method[1] == kAnnealing) {
      config.energy_range_mode = 2;
      config.run_method[2] = kAfterAnnealing;
      config.emin = 0.0;
      config.emax = 0.0;
      ask_run_length(session, kSecondRun, kMulticanonical);
      return;
    }
    term.say("1.Use Multi-canonical Basin-Hopping");
    term.say("2.Use Canonical Basin-Hopping(default)");
    term.say("3.Use Parallel GA");
    term.ask(config.run_method[2]);
    const std::int32_t method = config.run_method[2];
    if (method == kAnnealing || method == kAfterAnnealing) return;
    if (ask_run_length(session, kSecondRun, method)) return;
    term.input_error();
  }
}

void ask_third_run(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("3rd MC RUN:");
    term.say("1.Use Multi-canonical Basin-Hopping");
    term.say("2.Use Canonical Basin-Hopping(default)");
    term.say("3.Use Parallel GA");
    term.ask(config.run_method[3]);
    if (ask_run_length(session, kThirdRun, config.run_method[3])) return;
    term.input_error();
  }
}

// Only multicanonical basin hopping needs an energy histogram; an unlisted
// mode is stored as typed.
void ask_energy_range(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say("THE RANGE OF INTEGRAL OF THE ENERGY:");
  const RunArray<std::int32_t>& method = config.run_method;
  if (method[1] != kMulticanonical && method[2] != kMulticanonical && method[3] != kMulticanonical) return;
  term.say("0.INPUT ENERGY HISTOGRAM RANGE");
  term.say("1.USING AUTO MMC ENERGY RANGE(Half)");
  term.say("2.USING SIMULATE ANNEALING ENERGY RANGE");
  term.say("3.USING PRE-MC TO GET THE ENERGY RANGE");
  term.say("(default=1)");
  term.ask(config.energy_range_mode);
  switch (config.energy_range_mode) {
    case 0:
      term.say("UPPER ENERGY(EMAX):(default=?)");
      term.ask(config.emax);
      term.say("LOWWER ENERGY(EMIN):(default=?)");
      term.ask(config.emin);
      break;
    case 1:
    case 2:
      term.say("Input the width of the energy histogram");
      term.say("From (default=2.D0)");
      term.ask(config.tde_from);
      term.say("To (default=5.D0)");
      term.ask(config.tde_to);
      break;
    case 3:
      term.say("This will do a BH to get the energy range");
      term.say("for energy historgram");
      term.say("Current temperature range =", config.temp_from, " to ", config.temp_to);
      term.say("Please input the number of steps(default=5000)");
      term.ask(config.pre_bh_steps);
      break;
    default:
      break;
  }
}

}  // namespace

// Monte Carlo item 1: all three runs in order, then the energy range.
void ask_runs_and_energy_range(Session& session) {
  ask_first_run(session);
  ask_second_run(session);
  ask_third_run(session);
  ask_energy_range(session);
}

}  // namespace cfg
