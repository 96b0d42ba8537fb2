#include <array>
#include <string>

#include "energy/atom_count_question.h"
#include "energy/model_editors.h"
#include "energy/value_prompts.h"

namespace cfg {

namespace {

struct QscBlock {
  QscSet EnergyModel::*set;
  const char* heading;
  const char* name_prompt;
  std::array<ValuePrompt<QscSet>, 5> values;
};

constexpr QscBlock kMaterialA = {&EnergyModel::qsc_a,
                                 "Input the parameter of the energy A-A:",
                                 "Input the name of material A(Ex:Fe,Mg...)",
                                 {{{"Input D(meV) of material A:", &QscSet::d},
                                   {"Input c of material A:", &QscSet::c},
                                   {"Input m of material A:", &QscSet::m},
                                   {"Input n of material A:", &QscSet::n},
                                   {"Input a(A) of material A:", &QscSet::a}}}};

constexpr QscBlock kMaterialB = {&EnergyModel::qsc_b,
                                 "Input the parameter of the energy B-B:",
                                 "Input the name of material B(Ex:Fe,Mg...)",
                                 {{{"Input D(meV) of material B:", &QscSet::d},
                                   {"Input c of material B:", &QscSet::c},
                                   {"Input m of material B:", &QscSet::m},
                                   {"Input n of material B:", &QscSet::n},
                                   {"Input a(A) of material B:", &QscSet::a}}}};

void ask_qsc_block(Session& session, const QscBlock& block) {
  Terminal& term = session.term;
  QscSet& set = session.model.*block.set;
  term.say(block.heading);
  term.say(block.name_prompt);
  term.ask(set.name);
  ask_values<QscSet>(term, set, block.values);
}

// The force-field file of a pure system is named after its material; that of
// an alloy after the first letters of both.
FixedText<2> pure_file_name(const EnergyModel& model) { return model.qsc_a.name; }
FixedText<2> alloy_file_name(const EnergyModel& model) {
  return FixedText<2>(std::string{model.qsc_a.name.first(), model.qsc_b.name.first()});
}

void print_qsc_row(Terminal& term, const QscSet& set, std::int32_t count) {
  term.say("@ ", set.name, count, set.d, set.c, set.m, set.n, set.a);
}

void show_qsc_table(Session& session) {
  Terminal& term = session.term;
  EnergyModel& model = session.model;
  term.say("Current Q-SC Force-Field parameters:");
  term.say(" name    #   D(meV)    c    m    n   a(A)");
  print_qsc_row(term, model.qsc_a, model.a_atom_count);
  model.qsc_file_name = pure_file_name(model);
  if (is_pure_system(session)) {
    term.say("For pure,file name is ", model.qsc_file_name);
    return;
  }
  print_qsc_row(term, model.qsc_b, b_atom_count(session));
  model.qsc_file_name = alloy_file_name(model);
  term.say("For Alloy,file name is ", model.qsc_file_name);
}

}  // namespace

void edit_qsc_parameters(Session& session) {
  Terminal& term = session.term;
  EnergyModel& model = session.model;
  ask_a_atom_count(session);
  show_qsc_table(session);
  term.say("1.Change the parameters of Q-SC Force-Field?");
  term.say("2.Keep current setting and back to main selection");
  if (term.ask_choice() != 1) return;
  ask_qsc_block(session, kMaterialA);
  model.qsc_file_name = pure_file_name(model);
  if (!is_pure_system(session)) {
    ask_qsc_block(session, kMaterialB);
    model.qsc_file_name = alloy_file_name(model);
  }
  term.say("File name is ", model.qsc_file_name);
}

}  // namespace cfg
