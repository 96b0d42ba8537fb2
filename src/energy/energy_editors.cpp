#include "energy/energy_editors.h"

#include <cmath>

#include "energy/model_editors.h"

namespace cfg {

namespace {

// The typed width is per particle: the box grows with the cube root of the
// count, taken as a real power rather than an exact root.
void ask_box_width(Session& session) {
  Terminal& term = session.term;
  term.say("Input the initial width of box:(default=5.5D)");
  term.say("This value will change with particle number!");
  double width = 0;
  term.ask(width);
  session.config.box_width = width * std::pow(static_cast<double>(session.particle_count), 0.3333333333333333);
}

void edit_initial_condition(Session& session) {
  Terminal& term = session.term;
  for (;;) {
    term.say("Do you want to use the close_pack radius? (y/n)");
    term.say("(default='y',)");
    term.ask(session.answer);
    if (session.answer == "y") {
      session.config.close_pack = 1;
      return;
    }
    if (session.answer == "n") {
      ask_box_width(session);
      session.config.close_pack = 0;
      return;
    }
    term.input_error();
  }
}

void choose_potential_model(Session& session) {
  Terminal& term = session.term;
  for (;;) {
    term.say(" 1.Many-body potential");
    term.say(" 2.Alloys with many-body potential");
    term.say(" 3.Protein-folding:Beta folding");
    term.say(" 4.Protein-folding:Alpha folding");
    term.say(" 5.EAM Potential  ");
    term.say(" 6.Universal protein folding");
    term.say(" 7.Chen and Imamura's protein folding(N)");
    term.say(" 8.Chen and Imamura's protein folding(3N)");
    term.say(" 9.Q-SC Force-Field potential)");
    term.ask(session.model.potential_type);
    if (session.model.potential_type >= 1 && session.model.potential_type <= 9) return;
    term.input_error();
  }
}

void edit_chosen_model(Session& session) {
  switch (session.model.potential_type) {
    case 1:
    case 2: edit_many_body_potential(session); break;
    case 3:
    case 4:
    case 6: edit_protein_folding(session); break;
    case 5: edit_eam_parameters(session); break;
    case 9: edit_qsc_parameters(session); break;
    case 7:
    case 8: edit_chen_imamura_model(session); break;
    default: break;
  }
}

}  // namespace

void edit_energy_parameters(Session& session) {
  Terminal& term = session.term;
  term.say("Which one do you want to change ? :");
  term.say("1.Change the Initial condition :");
  term.say("2.Change the parameter of energy :");
  switch (term.ask_choice()) {
    case 1: edit_initial_condition(session); break;
    case 2:
      choose_potential_model(session);
      edit_chosen_model(session);
      break;
    default: term.say("Please make a selection again!"); break;
  }
}

}  // namespace cfg
