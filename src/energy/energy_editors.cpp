#include "energy/energy_editors.h"

#include <cmath>

#include "config/potential_types.h"
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
    for (const PotentialType& type : kPotentialTypes) term.say(type.menu_line);
    term.ask(session.model.potential_type);
    if (find_potential_type(session.model.potential_type) != nullptr) return;
    term.input_error();
  }
}

void edit_chosen_model(Session& session) {
  const PotentialType* type = find_potential_type(session.model.potential_type);
  if (type == nullptr) return;
  switch (type->editor) {
    case ModelEditor::many_body: edit_many_body_potential(session); break;
    case ModelEditor::protein_folding: edit_protein_folding(session); break;
    case ModelEditor::eam: edit_eam_parameters(session); break;
    case ModelEditor::qsc: edit_qsc_parameters(session); break;
    case ModelEditor::chen_imamura: edit_chen_imamura_model(session); break;
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
