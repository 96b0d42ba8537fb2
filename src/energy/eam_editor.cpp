#include <array>

#include "energy/atom_count_question.h"
#include "energy/model_editors.h"
#include "energy/value_prompts.h"

namespace cfg {

namespace {

// The questions for one interaction, in the screen order (epsilon before a).
struct EamBlock {
  EamSet EnergyModel::*set;
  const char* heading;
  const char* name_prompt;
  std::array<ValuePrompt<EamSet>, 5> values;
};

constexpr EamBlock kAaBlock = {&EnergyModel::eam_aa,
                               "Input the parameter of the energy A-A:",
                               "Input the name of material A(Ex:Fe,Mg...)",
                               {{{"Input epsilon of material A:", &EamSet::epsilon},
                                 {"Input a of material A", &EamSet::a},
                                 {"Input C of material A", &EamSet::c},
                                 {"Input n of material A", &EamSet::n},
                                 {"Input m of material A", &EamSet::m}}}};

constexpr EamBlock kBbBlock = {&EnergyModel::eam_bb,
                               "Input the parameter of the energy B-B:",
                               "Input the name of material B(Ex:Fe,Mg...)",
                               {{{"Input epsilon of material B:", &EamSet::epsilon},
                                 {"Input a of material B", &EamSet::a},
                                 {"Input C of material B", &EamSet::c},
                                 {"Input n of material B", &EamSet::n},
                                 {"Input m2", &EamSet::m}}}};

constexpr EamBlock kAbBlock = {&EnergyModel::eam_ab,
                               "Input the parameter of the energy A-B:",
                               "Please give a name of A-B(Ex:Fe+Al=FL)",
                               {{{"Input epsilon of A-B:", &EamSet::epsilon},
                                 {"Input a of A-B", &EamSet::a},
                                 {"Input C of A-B", &EamSet::c},
                                 {"Input n of A-B", &EamSet::n},
                                 {"Input m of A-B", &EamSet::m}}}};

void ask_eam_block(Session& session, const EamBlock& block) {
  Terminal& term = session.term;
  EamSet& set = session.model.*block.set;
  term.say(block.heading);
  term.say(block.name_prompt);
  term.ask(set.name);
  ask_values<EamSet>(term, set, block.values);
}

void print_eam_row(Terminal& term, const EamSet& set, std::int32_t count) {
  term.say("@ ", set.name, count, set.epsilon, set.a, set.c, set.n, set.m);
}

void show_eam_table(Session& session) {
  Terminal& term = session.term;
  const EnergyModel& model = session.model;
  term.say("Current EAM parameters:");
  term.say(" name    #   epsilon    a   C   n    m");
  print_eam_row(term, model.eam_aa, model.a_atom_count);
  if (is_pure_system(session)) {
    term.say("For pure!");
    return;
  }
  print_eam_row(term, model.eam_bb, b_atom_count(session));
  print_eam_row(term, model.eam_ab, session.particle_count);
}

}  // namespace

void edit_eam_parameters(Session& session) {
  Terminal& term = session.term;
  ask_a_atom_count(session);
  show_eam_table(session);
  term.say("1.Change the parameters of EAM?");
  term.say("2.Keep current setting and back to main selection");
  if (term.ask_choice() != 1) return;
  ask_eam_block(session, kAaBlock);
  if (is_pure_system(session)) return;
  ask_eam_block(session, kBbBlock);
  ask_eam_block(session, kAbBlock);
}

}  // namespace cfg
