#include "search/search_editors.h"

namespace cfg {

namespace {

struct OperatorRatio {
  const char* prompt;
  double ConfigRecord::*field;
};

constexpr OperatorRatio kGeneticOperators[] = {
    {"Input the ratio of Inversion: (default=5)", &ConfigRecord::ga_inversion},
    {"Input the ratio of Arithmetic: (default=1)", &ConfigRecord::ga_arithmetic},
    {"Input the ratio of Geometic: (default=1)", &ConfigRecord::ga_geometric},
    {"Input the ratio of Crossing: (default=5)", &ConfigRecord::ga_crossing},
    {"Input the ratio of 2-Point: (default=5)", &ConfigRecord::ga_two_point},
    {"Input the ratio of 3N Mutation: (default=0)", &ConfigRecord::ga_mutation_3n},
    {"Input the ratio of Moment op 1:(default=0)", &ConfigRecord::ga_moment_op1},
    {"Input the ratio of Moment op 2:(default=0)", &ConfigRecord::ga_moment_op2},
    {"Input the ratio of DIH move op 1:(default=0)", &ConfigRecord::ga_dih_move_op1},
};

struct StepMoveRatio {
  const char* prompt;
  RunArray<double> ConfigRecord::*field;
};

// The RMS scale is asked only when the run has RMS transitions.
constexpr StepMoveRatio kStepMoves[] = {
    {"Input the ratio of 3N particles moving :(default=5)", &ConfigRecord::move_3n},
    {"Input the ratio of 3N particles mutation :(default=0)", &ConfigRecord::mutation_3n},
    {"Input the ratio of N dimension moving :(default=0)", &ConfigRecord::move_ndim},
    {"Input the ratio of 3N dihedral moving :(default=0)", &ConfigRecord::dihedral_3n},
    {"Input the ratio of RMS transition :(default=0)", &ConfigRecord::rms_transition},
    {"Input the RMS scale :(default=0.01D0)", &ConfigRecord::rms_scale},
    {"Input the ratio of Inversion:(default=5)", &ConfigRecord::inversion},
    {"Input the ratio of Arithmetic:(default=1)", &ConfigRecord::arithmetic},
    {"Input the ratio of Geometic:(default=1)", &ConfigRecord::geometric},
    {"Input the ratio of Crossing:(default=5)", &ConfigRecord::crossing},
    {"Input the ratio of 2-Point Crossover:(default=5)", &ConfigRecord::two_point},
};

// Asked for the global GA after its operators, for the parallel GA after the
// step moves. The factor is asked only when the transformation is used.
void ask_euler_angle(Terminal& term, std::int32_t& use_euler, double& factor) {
  term.say("1.Use eularangle transformation");
  term.say("2.Do not use eularangle transformation(default)");
  term.ask(use_euler);
  if (use_euler != 1) return;
  term.say("Input the factor of the eularangle trans");
  term.say("(Eular angle=Pei*factor*rnd number)");
  term.say("(default=0.5D0)");
  term.ask(factor);
}

void ask_genetic_operators(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say("Input the ratio of the genetic operator:");
  for (const OperatorRatio& ratio : kGeneticOperators) {
    term.say(ratio.prompt);
    term.ask(config.*ratio.field);
  }
  ask_euler_angle(term, config.gga_euler, config.gga_euler_factor);
}

void ask_step_moves_of_run(Session& session, int run) {
  ConfigRecord& config = session.config;
  for (const StepMoveRatio& ratio : kStepMoves) {
    if (ratio.field == &ConfigRecord::rms_scale && config.rms_transition[run] == 0.0) continue;
    session.term.say(ratio.prompt);
    session.term.ask((config.*ratio.field)[run]);
  }
}

// Runs 2 and 3 take every run-1 value, the RMS scale too when it was not asked.
void copy_step_moves_of_first_run(ConfigRecord& config) {
  for (const StepMoveRatio& ratio : kStepMoves) {
    RunArray<double>& values = config.*ratio.field;
    values[2] = values[1];
    values[3] = values[1];
  }
}

// The same-or-separate answer is looked at only after run 1 has been asked;
// a wrong one asks everything again.
void ask_step_moves(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("Input the ratio of the step moving:");
    term.say("1.Use the same ratios for all MC runs(default)");
    term.say("2.Use seperate ratio for each MC runs");
    const std::int32_t choice = term.ask_choice();
    term.say("Input the ratio for 1st MC run");
    ask_step_moves_of_run(session, 1);
    if (choice == 1) {
      copy_step_moves_of_first_run(config);
      break;
    }
    if (choice == 2) {
      term.say("Input the ratio for 2nd MC run");
      ask_step_moves_of_run(session, 2);
      term.say("Input the ratio for 3rd MC run.(Final run)");
      ask_step_moves_of_run(session, 3);
      break;
    }
    term.input_error();
  }
  ask_euler_angle(term, config.pga_euler, config.pga_euler_factor);
}

}  // namespace

// Main-menu option 6. Any choice but 1 or 2 goes back without a message.
void edit_ratio_of_moving(Session& session) {
  Terminal& term = session.term;
  for (;;) {
    term.say("1.Input the ratio of the genetic operator");
    term.say("2.Input the ratio of the step moving");
    term.say("3.Back to main menu");
    switch (term.ask_choice()) {
      case 1: ask_genetic_operators(session); break;
      case 2: ask_step_moves(session); break;
      default: return;
    }
  }
}

}  // namespace cfg
