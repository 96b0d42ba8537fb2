#include <array>

#include "energy/model_editors.h"
#include "config/wrapping_arithmetic.h"

namespace cfg {

namespace {

// Which protein models ask a parameter.
enum class AskedUnder { all_models, universal_only, beta_and_alpha_only };

struct ProteinPrompt {
  const char* text;
  const char* second_line;  // nullptr when the prompt is one line
  double& (*field)(EnergyModel&);
  AskedUnder asked_under;
};

constexpr std::array<ProteinPrompt, 12> kProteinPrompts = {{
    {"Input cutoff length in LJ:(default=5.5D0)", nullptr,
     [](EnergyModel& m) -> double& { return m.lj_cutoff; }, AskedUnder::all_models},
    {"Input E in LJ:(default=1.D0)", nullptr, [](EnergyModel& m) -> double& { return m.lj_e; },
     AskedUnder::all_models},
    {"Input theta0 in Bond energy:(default=1.8326D0)", nullptr,
     [](EnergyModel& m) -> double& { return m.bond_theta0; }, AskedUnder::all_models},
    {"Input cutoff angle in Bond energy:(default=0.087266D0)", nullptr,
     [](EnergyModel& m) -> double& { return m.bond_cutoff_angle; }, AskedUnder::all_models},
    {"Input eps in Dihedral energy:(default=?)", nullptr,
     [](EnergyModel& m) -> double& { return m.dih_eps[0]; }, AskedUnder::universal_only},
    {"Input eps2 in Dihedral energy:(default=?)", nullptr,
     [](EnergyModel& m) -> double& { return m.dih_eps[1]; }, AskedUnder::universal_only},
    {"Input eps3 in Dihedral energy:(default=?)", nullptr,
     [](EnergyModel& m) -> double& { return m.dih_eps[2]; }, AskedUnder::universal_only},
    {"Input eps4 in Dihedral energy:(default=?)", nullptr,
     [](EnergyModel& m) -> double& { return m.dih_eps[3]; }, AskedUnder::universal_only},
    {"Input A in Dihedral energy:(default=1.2D0)", nullptr, [](EnergyModel& m) -> double& { return m.dih_a; },
     AskedUnder::beta_and_alpha_only},
    {"Input B in Dihedral energy:(default=1.2D0)", nullptr, [](EnergyModel& m) -> double& { return m.dih_b; },
     AskedUnder::beta_and_alpha_only},
    {"Input C in Dihedral energy:", "(default:Alpha=1.2D0/Beta=0.D0)",
     [](EnergyModel& m) -> double& { return m.dih_c; }, AskedUnder::beta_and_alpha_only},
    {"Input D in Dihedral energy:(default=0.2D0)", nullptr, [](EnergyModel& m) -> double& { return m.dih_d; },
     AskedUnder::beta_and_alpha_only},
}};

constexpr std::int32_t kUniversalFolding = 6;

bool is_asked(AskedUnder asked_under, std::int32_t potential_type) {
  switch (asked_under) {
    case AskedUnder::all_models: return true;
    case AskedUnder::universal_only: return potential_type == kUniversalFolding;
    case AskedUnder::beta_and_alpha_only: return potential_type != kUniversalFolding;
  }
  return false;
}

void input_protein_parameters(Session& session) {
  for (const ProteinPrompt& prompt : kProteinPrompts) {
    if (!is_asked(prompt.asked_under, session.model.potential_type)) continue;
    session.term.say(prompt.text);
    if (prompt.second_line != nullptr) session.term.say(prompt.second_line);
    session.term.ask(prompt.field(session.model));
  }
}

// Residues added by one repeat of a set's pattern. Only these four texts are
// multi-letter patterns; any other text counts one residue per repeat.
std::int32_t pattern_length(const FixedText<3>& residue_type) {
  if (residue_type == "LB") return 2;
  if (residue_type == "BBL" || residue_type == "BLB" || residue_type == "LBB") return 3;
  return 1;
}

// Sets are asked until the chain holds particle_count residues (or the
// arrays are full); the new sequence replaces the old one.
void input_residues(Session& session) {
  Terminal& term = session.term;
  EnergyModel& model = session.model;
  term.say("Starting input residues:");
  std::int32_t total = 0;
  model.residue_set_count = 0;
  while (total < session.particle_count) {
    if (model.residue_set_count == kSetCapacity) {
      term.say("The limit of 10000 residue sets is reached!");
      break;
    }
    const auto k = static_cast<std::size_t>(model.residue_set_count);
    ++model.residue_set_count;
    model.make_room_for_residue_sets(model.residue_set_count);
    term.say("total residues=", total, ",residue type:");
    term.ask(model.residues_type[k]);
    term.say("#=");
    term.ask(model.residues_num[k]);
    total = wrapping_add(total, wrapping_mul(model.residues_num[k], pattern_length(model.residues_type[k])));
  }
  term.say("total residues=", total, ",STOP INPUT!");
}

void print_reference(Terminal& term) {
  term.say("Input the residue sets:");
  term.say("ex:");
  term.say("total residues= 0,residue type:");
  term.say("(input residues type,ex:B)");
  term.say("#=");
  term.say("(input residues length,ex:3)");
  term.say("total residues= 3,residue type:");
  term.say("(input next residues until stop)");
  term.say("etc......");
}

}  // namespace

void edit_protein_folding(Session& session) {
  Terminal& term = session.term;
  session.config.ci_n_form = 0;
  for (;;) {
    term.say("1.Edit residues");
    term.say("2.Edit potential parameters");
    term.say("3.See reference");
    switch (term.ask_choice()) {
      case 1: input_residues(session); return;
      case 2: input_protein_parameters(session); return;
      case 3: print_reference(term); break;
      default: term.input_error(); break;
    }
  }
}

}  // namespace cfg
