#include "report/summary_report.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "config/configuration_rules.h"
#include "config/potential_types.h"
#include "io/errors.h"
#include "io/list_writer.h"

namespace cfg {

namespace {

// The texts that name the three Monte Carlo runs inside the report's lines.
constexpr const char* kRunDigit[] = {"", "1", "2", "3"};
constexpr const char* kRunOrdinal[] = {"", "1st", "2nd", "3rd"};

const char* wording(ReportVariant variant, const char* before_save, const char* after_reload) {
  return variant == ReportVariant::before_save ? before_save : after_reload;
}

// How many of the stored sets a count selects: none for 0 or less, never more
// than the arrays hold.
std::size_t sets_in_use(std::int32_t count, std::size_t capacity) {
  if (count <= 0) return 0;
  return std::min(static_cast<std::size_t>(count), capacity);
}

// "label 1st=... ,2nd=... ,3rd=..." for a value kept once per run.
template <class T>
void say_per_run(Terminal& term, const char* label, const RunArray<T>& values) {
  term.say(label, values[1], ",2nd=", values[2], ",3rd=", values[3]);
}

// ---- particles, seeding, random numbers, minimizer ----

void print_particles_and_seeding(const Session& session) {
  Terminal& term = session.term;
  term.say("@ ", session.particle_count, " particles");
  term.say("@ seeding number= ", session.seed, ",(0 for no seeding)");
  if (session.config.random_kind == 1) term.say("@ using Gaussian Random number");
}

void print_lbfgs_group(const Session& session, ReportVariant variant) {
  Terminal& term = session.term;
  const ConfigRecord& c = session.config;
  term.say("@ using LBFGS minimization,MAXIT=", c.lbfgs_maxit);
  if (c.take_step == 1) {
    term.say("@ Take step!!");
  } else {
    term.say(wording(variant, "@ Don't take step!!", "@ Don't take step!"));
  }
  term.say(c.reset_seed == 1 ? "@ Reset to seeding number!!" : "@ Don't reset to seeding number!!");
  term.say(session.model.center_of_mass == 1 ? "@ move coords to center of mass!"
                                             : "@ Do not move coords to center of mass!");
}

void print_minimizer(const Session& session, ReportVariant variant) {
  Terminal& term = session.term;
  switch (session.config.min_method) {
    case 1: term.say("@ using Simplex minimization"); break;
    case 2: term.say("@ using Conjugate Gradient minimization"); break;
    case 3: term.say("@ using Conjugate Gradient then Simplex"); break;
    case 4: term.say("@ using Simplex then Conjugate Gradient"); break;
    default: print_lbfgs_group(session, variant); break;
  }
}

// ---- genetic algorithm and move ratios ----

void print_ga_ensembles(Terminal& term, const ConfigRecord& c) {
  term.say("@ ", c.gga_ensembles, " ensembles for global GA");
  for (int run = 1; run <= 3; ++run) {
    term.say("@ ", c.pga_ensembles[run], " ensembles for parallel GA run ", kRunDigit[run]);
  }
  if (c.gga_euler == 1) {
    term.say("@ Use eularangle tran for GGA,factor=", c.gga_euler_factor);
  } else {
    term.say("@ Do not use eularangle tran for GGA");
  }
  if (c.pga_euler == 1) {
    term.say("@ Use eularangle tran for PGA,factor=", c.pga_euler_factor);
  } else {
    term.say("@ Do not use eularangle tran for PGA");
  }
}

void print_ga_operator_ratios(Terminal& term, const ConfigRecord& c) {
  const std::array<std::pair<const char*, double>, 9> ratios = {{
      {"@ Inversion:    ", c.ga_inversion},
      {"@ Arithmetic:   ", c.ga_arithmetic},
      {"@ Geometic:     ", c.ga_geometric},
      {"@ Crossing:     ", c.ga_crossing},
      {"@ 2-Point:      ", c.ga_two_point},
      {"@ 3N Mutation:  ", c.ga_mutation_3n},
      {"@ Moment op 1:  ", c.ga_moment_op1},
      {"@ Moment op 2:  ", c.ga_moment_op2},
      {"@ DIH move op 1:", c.ga_dih_move_op1},
  }};
  term.say("@ The ratio of GA:");
  for (const auto& [label, value] : ratios) term.say(label, value);
}

void print_step_move_ratios(Terminal& term, const ConfigRecord& c) {
  const std::array<std::pair<const char*, const RunArray<double>*>, 11> ratios = {{
      {"@ 3N Particles Moving,1st=", &c.move_3n},
      {"@ 3N Particles Mutation,1st=", &c.mutation_3n},
      {"@ N Dimension Moving,   1st=", &c.move_ndim},
      {"@ 3N Dihedral Moving,   1st=", &c.dihedral_3n},
      {"@ RMS Transition,       1st=", &c.rms_transition},
      {"@ RMS SCALE,            1st=", &c.rms_scale},
      {"@ Inversion,          1st=", &c.inversion},
      {"@ Arithmetic,         1st=", &c.arithmetic},
      {"@ Geometic,           1st=", &c.geometric},
      {"@ Crossing,           1st=", &c.crossing},
      {"@ 2-Point Crossover,    1st=", &c.two_point},
  }};
  term.say("@ The ratio of Step move:");
  for (const auto& [label, values] : ratios) say_per_run(term, label, *values);
}

void print_parents_and_same_numbers(Terminal& term, const ConfigRecord& c) {
  term.say("@", c.gga_parents, " parents for global GA");
  for (int run = 1; run <= 3; ++run) {
    term.say("@", c.pga_parents[run], " parents for parallel GA run ", kRunDigit[run]);
  }
  term.say("@ Same number=", c.gga_same, " for global GA");
  for (int run = 1; run <= 3; ++run) {
    term.say("@ Same number=", c.pga_same[run], " for parallel GA run ", kRunDigit[run]);
  }
}

// ---- run lengths ----

void print_run_lengths(Terminal& term, const ConfigRecord& c) {
  term.say("@ Max gens=", c.max_gens);
  for (int run = 1; run <= 3; ++run) {
    term.say("@ Multi canonical max number for ", kRunOrdinal[run], " Run=", c.mmc_max[run]);
    term.say("@ Max MC steps for each recursion for ", kRunOrdinal[run], " Run=", c.mc_steps[run]);
  }
}

// ---- box, energy function, tolerances, convergence ----

void print_box_and_tolerances(Terminal& term, const ConfigRecord& c, ReportVariant variant) {
  if (c.close_pack == 1) term.say("@ Using close pack condition");
  term.say(wording(variant, "@ Width of initial box is ", "@ Width of initial box is"), c.box_width);
  term.say("@ BC in func=", c.func_bc);
  term.say("@ Accuracy parameter in func=", c.func_fit);
  term.say("@ The energy sort accuracy is ", c.sort_accuracy);
  term.say("@ The dX in dfunc is ", c.grad_dx);
  term.say("@ BC in dfunc is ", c.dfunc_bc);
  term.say("@ Tolerance of Simplex is ", c.simplex_tol);
  term.say("@ Tolerance of Conjugate Gradient is ", c.cg_tol);
  term.say("@ Tolerance of LBFGS(GTOL)=", c.gtol);
}

void print_convergence(Terminal& term, const ConfigRecord& c, ReportVariant variant) {
  switch (c.convergence_mode) {
    case 1:
      term.say("@ Using RMS force for sloppy convergence criterion");
      term.say("@ Threshold criterion=", c.sloppy_criterion);
      break;
    case 2:
      term.say("@ The sloppy convergence criterion for RMS force=", c.sloppy_criterion);
      break;
    case 3:
      term.say(wording(variant, "@ The multi-convergence criterion from ", "@ Use multi-convergence criterion from "),
               c.conv_from, " to ", c.conv_to);
      term.say("@ The variation rate is ", c.variation_rate);
      break;
    default: break;
  }
}

// ---- steps, temperature limits, guided function ----

void print_step_and_temperature_limits(Terminal& term, const ConfigRecord& c) {
  term.say("@ MCSCRH UPDATE =", c.mcsrch_update);
  term.say("@ Takestep in bmin:Astep=", c.astep, ",Step=", c.step);
  term.say("@ Max Step=", c.step_max, ",Min Step=", c.step_min);
  term.say("@ Max Astep=", c.astep_max, ",Min Astep=", c.astep_min);
  term.say("@ Max TEMP=", c.temp_max, ",Min TEMP=", c.temp_min);
  term.say("@ The adjustment of the Acceptance checking is +-", c.accept_check_adjust);
  term.say("@ Input DGUESS=", c.dguess);
}

void print_guided_function(Terminal& term, const ConfigRecord& c) {
  if (c.guided_function == 1) {
    term.say("@ Do not use Guided function");
  } else {
    term.say("@ Use Guided function");
    term.say("@ # of Guided Function BINS=", c.guided_bins);
  }
  if (c.guided_use_temperature == 1) {
    term.say("@ Using temperature for Guided function=", c.guided_probability);
  } else {
    term.say("@ The acceptance probability for Guided fun is", c.guided_probability);
  }
}

// ---- multicanonical basin hopping ----

bool uses_multicanonical_run(const ConfigRecord& c) {
  return c.run_method[1] == 1 || c.run_method[1] == 4 || c.run_method[2] == 1 || c.run_method[3] == 1;
}

void print_energy_range(Terminal& term, const ConfigRecord& c, ReportVariant variant) {
  switch (c.energy_range_mode) {
    case 0:
      term.say("@ ENERGY RANGE FROM ", c.emax, " TO ", c.emin);
      break;
    case 1:
      term.say("@ Using Auto Energy Range(Half)");
      term.say("@ TDE from ", c.tde_from, " to ", c.tde_to);
      break;
    case 2:
      term.say(wording(variant, "@ Using Multi-Canonical Annealing BH", "@ Using Multi-Canonical Annealing!"));
      term.say("@ TDE from ", c.tde_from, " to ", c.tde_to);
      break;
    case 3:
      term.say("@ Using pre-MC to get the energy range!");
      term.say("@ Number of Pre-BH step=", c.pre_bh_steps);
      break;
    default: break;
  }
}

void print_multicanonical(Terminal& term, const ConfigRecord& c, ReportVariant variant) {
  term.say(c.berg_weighting == 1 ? "@ Using Berg weighting for MBH parameters" : "@ Do not use Berg weighting");
  term.say("@ # of Multicanonical BH BINS=", c.mbh_bins);
  if (uses_multicanonical_run(c)) {
    term.say("@ INITIAL BETA0=1/(", c.temp_to, "-", c.tempfd, ")=", c.beta0);
    print_energy_range(term, c, variant);
  } else {
    term.say("@ Using MonteCarlo Boltzmann distribution");
  }
}

// ---- acceptance and temperature control ----

void print_acceptance_and_temperature(Terminal& term, const ConfigRecord& c) {
  term.say("@ Every ", c.accept_check_every, " generations check acceptance ratio");
  term.say("@ Acceptance ratio=", c.accept_ratio);
  term.say("@ The adjustment of the Acceptance Ratio is +-", c.accept_ratio_adjust);
  term.say("@ Temperature start from ", c.temp_from, " to ", c.temp_to, ",multiply by ", c.quench_rate);
  if (stops_the_report(c)) {
    // A range use the optimizer does not know: the program ends here,
    // before anything is asked or saved.
    term.say("ERROR!!");
    throw ProgramStop{1};
  }
  term.say(c.temp_range_use == 1 ? "@ Use temperature range for all ensembles!"
                                 : "@ Use temperature range for the children!");
  const bool fix_both = c.fix_both == 1;
  term.say(c.fix_temperature == 1 || fix_both ? "@ FIX TEMPERATURE!" : "@ DO NOT FIX TEMPERATURE!");
  term.say(c.fix_steps == 1 || fix_both ? "@ FIX STEPS!" : "@ DO NOT FIX STEPS!");
}

// ---- recording and recovery ----

void print_recording(Terminal& term, const ConfigRecord& c) {
  switch (c.record_mode) {
    case 0: term.say("@ Normal recording"); break;
    case 1:
      term.say(c.step_record_kind == 1 ? "@ Step recording in PDB file!" : "@ Step recording in seperate coords file!");
      term.say("@ Step recording,recording ratio=", c.record_ratio);
      break;
    case 2: term.say("@ Record nothing!"); break;
    default: break;
  }
  if (c.backup_parents == 1) term.say("@ Start recover,recover ratio=", c.recover_ratio);
}

// ---- the energy model ----

void say_many_body_header(Terminal& term, ReportVariant variant) {
  term.say(wording(variant, "@     e0        c0       p        q    r0", "@    e0        c0        p    q     r0"));
}

void say_many_body_parameters(Terminal& term, const ManyBodySet& s) {
  term.say("@ ", s.e0, ",", s.c0, ",", s.p, ",", s.q, ",", s.r0);
}

void print_many_body_pure(const Session& session, ReportVariant variant) {
  Terminal& term = session.term;
  const EnergyModel& m = session.model;
  say_many_body_header(term, variant);
  say_many_body_parameters(term, m.mb_aa);
  term.say("@ For ", m.mb_aa.name);
}

void print_many_body_alloy(const Session& session, ReportVariant variant) {
  Terminal& term = session.term;
  const EnergyModel& m = session.model;
  say_many_body_header(term, variant);
  say_many_body_parameters(term, m.mb_aa);
  term.say("@ For ", m.a_atom_count, " ", m.mb_aa.name);
  say_many_body_header(term, variant);
  say_many_body_parameters(term, m.mb_bb);
  term.say("@ For ", b_atom_count(session), " ", m.mb_bb.name);
  say_many_body_header(term, variant);
  say_many_body_parameters(term, m.mb_ab);
  term.say("@ For ", m.mb_ab.name);
}

void print_chen_imamura(Terminal& term, const EnergyModel& m, std::string_view form_line) {
  term.say(form_line);
  term.say("@ The Neutral bond sets:(Start-end)");
  say_neutral_bond_line(term, m);
  term.say("@ Lo=", m.ci_bond_length, ",Epsilon=", m.ci_epsilon, ",ANGLE=", m.ci_bond_angle,
           ",Exclusive diameter=", m.ci_exclusive_diameter);
}

void say_eam_parameters(Terminal& term, const EamSet& s, std::int32_t atoms) {
  term.say("@ ", s.name, atoms, s.epsilon, s.a, s.c, s.n, s.m);
}

void print_eam(const Session& session) {
  Terminal& term = session.term;
  const EnergyModel& m = session.model;
  term.say("@  name    #   epsilon    a   C   n    m");
  say_eam_parameters(term, m.eam_aa, m.a_atom_count);
  if (m.a_atom_count != session.particle_count) {
    say_eam_parameters(term, m.eam_bb, b_atom_count(session));
    say_eam_parameters(term, m.eam_ab, session.particle_count);
  }
}

void say_qsc_parameters(Terminal& term, const QscSet& s, std::int32_t atoms) {
  term.say("@ ", s.name, atoms, s.d, s.c, s.m, s.n, s.a);
}

void print_qsc(const Session& session) {
  Terminal& term = session.term;
  const EnergyModel& m = session.model;
  term.say("@ Q-SC Force-Field Potential Parameter");
  term.say("@ name  #  D(meV)   c   m   n   a(A)");
  say_qsc_parameters(term, m.qsc_a, m.a_atom_count);
  if (m.a_atom_count != session.particle_count) say_qsc_parameters(term, m.qsc_b, b_atom_count(session));
}

void print_energy_model(const Session& session, ReportVariant variant) {
  Terminal& term = session.term;
  const EnergyModel& m = session.model;
  const PotentialType* type = find_potential_type(m.potential_type);
  if (type == nullptr) return;  // a type the optimizer does not know prints nothing
  switch (type->report) {
    case ReportBlock::many_body_pure: print_many_body_pure(session, variant); break;
    case ReportBlock::many_body_alloy: print_many_body_alloy(session, variant); break;
    case ReportBlock::residue_sets:
      term.say(type->report_heading);
      say_residue_line(term, m);
      break;
    case ReportBlock::eam: print_eam(session); break;
    case ReportBlock::neutral_bond_sets: print_chen_imamura(term, m, type->report_heading); break;
    case ReportBlock::qsc: print_qsc(session); break;
    case ReportBlock::nothing: break;
  }
}

// The long lines are printed in pieces of this length, to keep their buffer
// small at any number of sets.
constexpr std::size_t kLongLinePiece = 65536;

template <class AddSet>
void say_long_line(Terminal& term, std::size_t count, std::size_t set_width, AddSet add_set) {
  ListLine line;
  line.reserve(std::min(3 + count * set_width, kLongLinePiece + set_width));
  line << "@ ";
  for (std::size_t k = 0; k < count; ++k) {
    add_set(line, k);
    if (line.str().size() >= kLongLinePiece) term.say_part(line);
  }
  term.say_line(line);
}

}  // namespace

void say_residue_line(Terminal& term, const EnergyModel& m) {
  const std::size_t count =
      sets_in_use(m.residue_set_count, std::min(m.residues_type.size(), m.residues_num.size()));
  say_long_line(term, count, 16, [&](ListLine& line, std::size_t k) { line.add(m.residues_type[k], m.residues_num[k]); });
}

void say_neutral_bond_line(Terminal& term, const EnergyModel& m) {
  const std::size_t count = sets_in_use(m.ch_count, std::min(m.ch_st.size(), m.ch_end.size()));
  say_long_line(term, count, 27, [&](ListLine& line, std::size_t k) { line.add("(", m.ch_st[k], m.ch_end[k], ")"); });
}

void print_summary_report(const Session& session, ReportVariant variant) {
  Terminal& term = session.term;
  const ConfigRecord& c = session.config;
  print_particles_and_seeding(session);
  print_minimizer(session, variant);
  print_ga_ensembles(term, c);
  print_ga_operator_ratios(term, c);
  print_step_move_ratios(term, c);
  print_parents_and_same_numbers(term, c);
  print_run_lengths(term, c);
  print_box_and_tolerances(term, c, variant);
  print_convergence(term, c, variant);
  print_step_and_temperature_limits(term, c);
  print_guided_function(term, c);
  print_multicanonical(term, c, variant);
  print_acceptance_and_temperature(term, c);
  print_recording(term, c);
  print_energy_model(session, variant);
  term.say(c.gradient_kind == 1 ? "@ Using analytic gradient" : "@ Using numerical gradient");
}

}  // namespace cfg
