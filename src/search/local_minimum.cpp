#include <span>

#include "search/accuracy_items.h"

namespace cfg {

namespace {

void ask_sort(Session& session) {
  session.term.say("Input energy sort accuracy: (default=1.D-12)");
  session.term.ask(session.config.sort_accuracy);
}

void ask_func(Session& session) {
  Terminal& term = session.term;
  term.say("Input func accuracy: (default=500.D0)");
  term.ask(session.config.func_bc);
  term.say("Input func fit parameter: (default=1.D0)");
  term.ask(session.config.func_fit);
}

void ask_gradient(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("Do you want to:");
    term.say("1.Use analytic gradient");
    term.say("2.Use numerical gradient");
    term.say("(If the analytic gradient is not available");
    term.say("please choose 2)");
    term.ask(config.gradient_kind);
    if (config.gradient_kind == 1) return;
    if (config.gradient_kind == 2) {
      term.say("Input dX in grad: (default=7.D-5)");
      term.ask(config.grad_dx);
      term.say("Input the reduced factor in grad:(default=1.D0)");
      term.ask(config.dfunc_bc);
      return;
    }
    term.input_error();
  }
}

// The func accuracy asked here is the one that stays when Func asked it too.
void ask_simplex(Session& session) {
  Terminal& term = session.term;
  term.say("Input tolerance of simplex (default=1.D-08)");
  term.say("for simplex method");
  term.ask(session.config.simplex_tol);
  term.say("Input func accuracy: (default=500)");
  term.ask(session.config.func_bc);
}

void ask_conjugate(Session& session) {
  session.term.say("Input the tolerance of Conjugate(default=1.D-08)");
  session.term.say("for conjugate gradient");
  session.term.ask(session.config.cg_tol);
}

void ask_lbfgs(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  term.say("Input the tolerance of LBFGS(GTOL,default=0.9D0)");
  term.say("This number should between 0.1 and 0.9");
  term.ask(config.gtol);
  term.say("Input the MCSRCH update(default=4)");
  term.ask(config.mcsrch_update);
  term.say("Input DGUESS in LBFGS(default=0.1D0)");
  term.ask(config.dguess);
}

void ask_convergence(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("1.To use RMS force for sloppy convergence criterion");
    term.say("2.Input sloppy convergence criterion");
    term.say("3.Use variate convergence criterion");
    term.say("(default=1)");
    term.ask(config.convergence_mode);
    switch (config.convergence_mode) {
      case 1:
        term.say("Input threshold convergence criterion(default=0.001D0)");
        term.ask(config.sloppy_criterion);
        return;
      case 2:
        term.say("Input sloppy convergence criterion(default=0.001D0)");
        term.ask(config.sloppy_criterion);
        return;
      case 3:
        term.say("Please input the range of the Convergence");
        term.say("From:(default=0.1D0)");
        term.ask(config.conv_from);
        term.say("To:(default=0.00001D0)");
        term.ask(config.conv_to);
        term.say("Input the variation rate(defaults=1.D0)");
        term.ask(config.variation_rate);
        return;
      default:
        term.input_error();
    }
  }
}

void ask_random_generator(Session& session) {
  session.term.say("1.To use Gaussian Random Generator");
  session.term.say("2.To use normal Random Generator(default)");
  session.term.ask(session.config.random_kind);
}

void ask_take_step(Session& session) {
  Terminal& term = session.term;
  ConfigRecord& config = session.config;
  for (;;) {
    term.say("Would you like to take step?");
    term.say("1.Take step!!");
    term.say("2.Don't take step!!(default)");
    term.ask(config.take_step);
    if (config.take_step == 1) {
      term.say("Input the takestep parameter:");
      term.say("Input astep(default=0.4D0)");
      term.ask(config.astep);
      term.say("Input step(default=0.36D0)");
      term.ask(config.step);
      return;
    }
    if (config.take_step == 2) return;
    term.input_error();
  }
}

// Without seeding there is no seeding number to reset to.
void ask_reset(Session& session) {
  Terminal& term = session.term;
  std::int32_t& reset_seed = session.config.reset_seed;
  if (session.seed == 0) {
    reset_seed = 2;
    return;
  }
  for (;;) {
    term.say("Would you like to reset to seeding number?");
    term.say("1.Reset to seeding number!!");
    term.say("2.Don't reset to seeding number!!(default)");
    term.ask(reset_seed);
    if (reset_seed == 1 || reset_seed == 2) return;
    term.input_error();
  }
}

using Block = void (*)(Session&);

// The blocks each minimization method asks, in order.
std::span<const Block> blocks_for(std::int32_t min_method) {
  static constexpr Block simplex[] = {ask_sort, ask_simplex};
  static constexpr Block conjugate_gradient[] = {ask_sort, ask_func, ask_gradient, ask_conjugate};
  static constexpr Block combined[] = {ask_sort, ask_func, ask_gradient, ask_simplex, ask_conjugate};
  static constexpr Block lbfgs[] = {ask_sort,          ask_gradient,         ask_lbfgs, ask_convergence,
                                    ask_random_generator, ask_take_step, ask_reset};
  static constexpr Block unknown[] = {ask_sort, ask_gradient, ask_simplex, ask_conjugate};
  switch (min_method) {
    case 1: return simplex;
    case 2: return conjugate_gradient;
    case 3:
    case 4: return combined;
    case 5: return lbfgs;
    default: return unknown;
  }
}

}  // namespace

void ask_local_minimum_questions(Session& session) {
  for (const Block block : blocks_for(session.config.min_method)) block(session);
}

}  // namespace cfg
