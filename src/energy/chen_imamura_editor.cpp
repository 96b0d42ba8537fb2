#include "energy/model_editors.h"

namespace cfg {

namespace {

constexpr std::int32_t kNForm = 7;

// The angle is typed in degrees and kept in radians, converted with the
// optimizer's own value of pi.
void input_chen_imamura_parameters(Session& session) {
  Terminal& term = session.term;
  EnergyModel& model = session.model;
  term.say("Please input Lo,the bond distance:(default=1.5D0)");
  term.ask(model.ci_bond_length);
  term.say("Please input exclusive diameter:(default=1.D0)");
  term.ask(model.ci_exclusive_diameter);
  term.say("Please input epsilon,the energy scale:(default=1.D0)");
  term.ask(model.ci_epsilon);
  term.say("Please input the bond angle:(default=105.D0)");
  double degrees = 0;
  term.ask(degrees);
  model.ci_bond_angle = degrees * 3.14159 / 180.0;
  term.say("Your bond-angle is ", model.ci_bond_angle, " rad");
}

// A count the arrays cannot hold is refused and asked again.
void ask_neutral_bond_count(Session& session) {
  Terminal& term = session.term;
  for (;;) {
    term.say("Please input the number of neutral bonds set:");
    term.say("(Could include several residues;default=0;No neutral bonds)");
    term.ask(session.model.ch_count);
    if (session.model.ch_count <= kSetCapacity) {
      session.model.make_room_for_neutral_bond_sets(session.model.ch_count);
      return;
    }
    term.input_error();
  }
}

void print_neutral_bond_sets(Session& session) {
  const EnergyModel& model = session.model;
  for (std::int32_t i = 1; i <= model.ch_count; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    session.term.say(i, "'th neutral set start from ", model.ch_st[index], ",end from ", model.ch_end[index]);
  }
}

// Returns false when a set starts after it ends: the sub-menu is shown again
// and the sets typed so far stay stored.
bool input_neutral_bond_sets(Session& session) {
  Terminal& term = session.term;
  EnergyModel& model = session.model;
  ask_neutral_bond_count(session);
  if (model.ch_count == 0) {
    // "No neutral bonds" is kept as the single set 0 to 0.
    model.ch_count = 1;
    model.make_room_for_neutral_bond_sets(1);
    model.ch_st[0] = 0;
    model.ch_end[0] = 0;
    return true;
  }
  term.say("Please make sure no overlaping!");
  term.blank_line();
  if (model.ch_count < 0) return true;
  for (std::int32_t i = 1; i <= model.ch_count; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    term.say("The ", i, "'th neutral bonds set start from residue:");
    term.ask(model.ch_st[index]);
    term.say("End from:");
    term.ask(model.ch_end[index]);
    if (model.ch_st[index] > model.ch_end[index]) {
      term.say("ERROR!!");
      term.say("Start number is greater than end number");
      term.say("Please type again!!");
      term.blank_line();
      return false;
    }
  }
  print_neutral_bond_sets(session);
  return true;
}

}  // namespace

void edit_chen_imamura_model(Session& session) {
  Terminal& term = session.term;
  for (;;) {
    session.config.ci_n_form = session.model.potential_type == kNForm ? 1 : 0;
    term.say("1.Edit residues");
    term.say("2.Edit potential parameters");
    switch (term.ask_choice()) {
      case 1:
        if (input_neutral_bond_sets(session)) return;
        break;
      case 2: input_chen_imamura_parameters(session); return;
      default: term.input_error(); break;
    }
  }
}

}  // namespace cfg
