#include <array>

#include "config/materials_library.h"
#include "energy/model_editors.h"
#include "energy/value_prompts.h"

namespace cfg {

namespace {

// The sodium values in the prompts are examples for the user; none is filled in.
constexpr std::array<ValuePrompt<ManyBodySet>, 5> kManyBodyPrompts = {{
    {"Input epsilon: [for NA:0.015948 (eV)]", &ManyBodySet::e0},
    {"Input zeta: [for NA:0.29113 (eV)]", &ManyBodySet::c0},
    {"Input p: [for NA: p=10.13]", &ManyBodySet::p},
    {"Input q: [for NA: q=1.30]", &ManyBodySet::q},
    {"Input rzero: [for NA: r0=6.99 a.u]", &ManyBodySet::r0},
}};

void ask_pure_material(Session& session) {
  session.term.say("Please input a materials: [default='Na']");
  session.term.say("Or you can type 'none' to input directly");
  session.term.ask(session.answer);
}

void ask_alloy_materials(Session& session) {
  Terminal& term = session.term;
  term.say("Please input the name of A atom:");
  term.ask(session.answer);
  term.say("Please input the name of B atom:");
  term.ask(session.b_atom_name);
  term.say("Please input the # of A atoms:");
  term.ask(session.model.a_atom_count);
  // A cluster of one species has no particles to swap.
  if (session.model.a_atom_count == 0 || session.model.a_atom_count == session.particle_count) {
    for (int run = 1; run <= 3; ++run) session.config.mutation_3n[run] = 0;
  }
}

// The name of mb_aa stays what the listing left in it.
void type_many_body_values(Session& session) {
  session.term.say("Input the parameter of the energy: (MC)");
  ask_values<ManyBodySet>(session.term, session.model.mb_aa, kManyBodyPrompts);
}

}  // namespace

void edit_many_body_potential(Session& session) {
  session.config.ci_n_form = 0;
  list_materials_library(session.files, session.term, session.model.mb_aa);
  if (session.model.potential_type == 2) {
    ask_alloy_materials(session);
  } else {
    ask_pure_material(session);
  }
  if (session.answer == "none") {
    type_many_body_values(session);
    return;
  }
  look_up_materials(session.files, session.term, session.model, session.model.potential_type, session.answer,
                    session.b_atom_name);
}

}  // namespace cfg
