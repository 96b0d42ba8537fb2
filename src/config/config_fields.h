#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "config/config_record.h"
#include "config/energy_model.h"
#include "config/field_table.h"

namespace cfg {

// The whole stored configuration, by reference: what the files hold. Each
// file of the table below picks its part of it (`config`, `model`, or the
// whole for atom_num.dat's two counts).
template <class Config, class Model, class Int>
struct ConfigurationRefsOf {
  Config& config;
  Model& model;
  Int& particle_count;
  Int& seed;
};
using ConfigurationRefs = ConfigurationRefsOf<ConfigRecord, EnergyModel, std::int32_t>;
using ConstConfigurationRefs = ConfigurationRefsOf<const ConfigRecord, const EnergyModel, const std::int32_t>;

namespace field_table_detail {

// A field named after the member it reads and writes, so that key and member
// cannot drift apart.
#define CFG_FIELD(name, ...) field(#name, [](auto& c) -> auto& { return c.name; } __VA_OPT__(, ) __VA_ARGS__)
#define CFG_ELEMENT(name, index, ...) \
  element(#name, index, [](auto& c) -> auto& { return c.name[index]; } __VA_OPT__(, ) __VA_ARGS__)
// An element of a zero-based array, keyed from 1.
#define CFG_ARRAY_ELEMENT(name, index, meaning) \
  element(#name, index, [](auto& c) -> auto& { return c.name[index - 1]; }, meaning)

#define CFG_RUN(name, meaning) run_field(#name, [](auto& c, int run) -> auto& { return c.name[run]; }, meaning)

// The three kinds of parameter set, each one record of name and five reals.
// `of` says whose parameters they are ("the A-A interaction").
#define CFG_MEMBER(set, name, meaning) member(#set, #name, [](auto& m) -> auto& { return m.set.name; }, meaning)
#define CFG_MANY_BODY(set, of) \
  record(CFG_MEMBER(set, name, "name of " of), CFG_MEMBER(set, e0, "epsilon of " of), \
         CFG_MEMBER(set, c0, "zeta of " of), CFG_MEMBER(set, p, "p of " of), CFG_MEMBER(set, q, "q of " of), \
         CFG_MEMBER(set, r0, "rzero of " of))
#define CFG_EAM(set, of) \
  record(CFG_MEMBER(set, name, "name of " of), CFG_MEMBER(set, a, "a of " of), \
         CFG_MEMBER(set, epsilon, "epsilon of " of), CFG_MEMBER(set, c, "c of " of), CFG_MEMBER(set, n, "n of " of), \
         CFG_MEMBER(set, m, "m of " of))
#define CFG_QSC(set, of) \
  record(CFG_MEMBER(set, name, "name of " of), CFG_MEMBER(set, d, "D (meV) of " of), \
         CFG_MEMBER(set, c, "c of " of), CFG_MEMBER(set, m, "m of " of), CFG_MEMBER(set, n, "n of " of), \
         CFG_MEMBER(set, a, "a (A) of " of))

constexpr auto kWhole = [](auto& whole) -> auto& { return whole; };
constexpr auto kConfig = [](auto& whole) -> auto& { return whole.config; };
constexpr auto kModel = [](auto& whole) -> auto& { return whole.model; };

// The count of A atoms in the first record of qscff.dat: read into its own
// field; written as a_atom_count under the Q-SC type, whose count it is.
constexpr auto qsc_count_field() {
  auto get = [](auto& m) -> auto& { return m.qsc_count; };
  auto written = [](const auto& m) { return m.potential_type == 9 ? m.a_atom_count : m.qsc_count; };
  return Field<decltype(get), decltype(written)>{{std::string_view("qsc_count"), {}, 0}, get, {}, written,
                                                 "number of A atoms stored in qscff.dat; under potential type 9 the "
                                                 "count of A atoms, a_atom_count"};
}

inline constexpr auto kAtomCountFile =
    record_file("atom_num.dat", kWhole, record(CFG_FIELD(particle_count, "number of particles of the cluster"), CFG_FIELD(seed, "seeding number: 0 means no seeding; start-up turns any other value into particle_count minus 1")));

inline constexpr auto kDataFile = created_when_missing(record_file(
    "data.dat", kConfig,
    record(CFG_FIELD(box_width, "width of the initial box"), CFG_FIELD(sort_accuracy, "energy sort accuracy"), CFG_FIELD(func_bc, "boundary value of the energy function (BC in func), held as the square of a radius"), CFG_FIELD(func_fit, "accuracy (fit) parameter of the energy function"),
           CFG_FIELD(simplex_tol, "tolerance of the Simplex minimizer"), CFG_FIELD(cg_tol, "tolerance of the Conjugate Gradient minimizer"), CFG_FIELD(random_kind, codes_from(1, 2), "random-number generator|1 Gaussian|2 normal"),
           CFG_FIELD(close_pack, codes_from(0, 1), "whether box_width follows the close-pack radius|0 no (a width was typed)|1 yes")),
    record(CFG_FIELD(gga_ensembles, "ensemble number of the global GA"), CFG_FIELD(min_method, codes_from(1, 5), "local minimization method|1 only Simplex|2 only Conjugate Gradient|3 Conjugate Gradient then Simplex|4 Simplex then Conjugate Gradient|5 LBFGS"), CFG_FIELD(ga_inversion, "ratio of the Inversion operator"),
           CFG_FIELD(ga_arithmetic, "ratio of the Arithmetic operator"), CFG_FIELD(ga_geometric, "ratio of the Geometric operator"), CFG_FIELD(ga_crossing, "ratio of the Crossing operator"), CFG_FIELD(ga_two_point, "ratio of the 2-Point operator"),
           CFG_FIELD(ga_mutation_3n, "ratio of the 3N Mutation operator"), CFG_FIELD(ga_moment_op1, "ratio of Moment op 1"), CFG_FIELD(ga_moment_op2, "ratio of Moment op 2"),
           CFG_FIELD(ga_dih_move_op1, "ratio of DIH move op 1"), CFG_FIELD(gga_parents, "parents number of the global GA"), CFG_FIELD(gga_same, "same number of the global GA"), CFG_FIELD(max_gens, "maximum generation of the global GA")),
    record(CFG_FIELD(grad_dx, "dX of the numerical gradient"), CFG_FIELD(dfunc_bc, "reduced factor in the gradient (BC in dfunc)"), CFG_FIELD(gradient_kind, codes_from(1, 2), "gradient used by the minimizer|1 analytic|2 numerical"),
           CFG_FIELD(gga_euler, codes_from(1, 2), "Euler-angle transformation in the global GA|1 use|2 do not use"), CFG_FIELD(pga_euler, codes_from(1, 2), "Euler-angle transformation in the parallel GA|1 use|2 do not use"),
           CFG_FIELD(gga_euler_factor, "factor of the Euler-angle transformation in the global GA (the angle is pi times the factor times a random number)"), CFG_FIELD(pga_euler_factor, "factor of the Euler-angle transformation in the parallel GA")),
    record(CFG_FIELD(lbfgs_maxit, "maximum iterations of LBFGS"), CFG_FIELD(mcsrch_update, "MCSRCH update number"), CFG_FIELD(take_step, codes_from(1, 2), "take-step move|1 take step|2 do not"),
           CFG_FIELD(reset_seed, codes_from(1, 2), "reset to the seeding number|1 reset|2 do not"), CFG_FIELD(dguess, "DGUESS of LBFGS"), CFG_FIELD(astep, "ASTEP of the take-step move"), CFG_FIELD(step, "STEP, the largest change of any move"),
           CFG_FIELD(gtol, "tolerance GTOL of LBFGS, between 0.1 and 0.9"), CFG_FIELD(sloppy_criterion, "threshold (sloppy) convergence criterion"), CFG_FIELD(convergence_mode, codes_from(1, 3), "convergence criterion|1 RMS force|2 sloppy criterion typed|3 variate criterion")),
    record(CFG_FIELD(record_mode, codes_from(0, 2), "recording mode|0 normal recording|1 step recording|2 record nothing"), CFG_FIELD(record_ratio, "recording ratio of step recording"),
           CFG_FIELD(step_record_kind, codes_from(1, 2), "where step records go|1 one animation file in PDB form|2 separate files"), CFG_FIELD(ci_n_form, codes_from(0, 1), "which model the potential-type choice last set|0 type 1, 2, 3, 4, 6 or 8 was last chosen|1 type 7 (Chen and Imamura, N form) was last chosen")),
    record(CFG_FIELD(recover, codes_from(0, 1), "recover the latest job; every start-up sets it to 0|0 no|1 yes"), CFG_FIELD(backup_parents, codes_from(0, 1), "back up the parents|0 no|1 yes"),
           CFG_FIELD(recover_ratio, "recover ratio")),
    record(CFG_FIELD(mbh_bins, "number of multicanonical BH bins"), CFG_FIELD(beta0, "initial BETA0, 1/(temp_to minus tempfd)"), CFG_FIELD(reserved_int7, "carried from the file to the file unchanged"), CFG_FIELD(tempfd, "TEMPFD"), CFG_FIELD(emax, "upper energy EMAX of the energy-histogram range"),
           CFG_FIELD(emin, "lower energy EMIN of the energy-histogram range"), CFG_FIELD(accept_check_every, "interval, in generations, at which the acceptance ratio is checked"), CFG_FIELD(accept_ratio, "acceptance ratio")),
    record(CFG_FIELD(fix_temperature, codes_from(1, 2), "fix the temperature|1 fix|2 do not"), CFG_FIELD(fix_steps, codes_from(1, 2), "fix the steps|1 fix|2 do not"),
           CFG_FIELD(fix_both, codes_from(1, 2), "both the temperature and the steps fixed|1 both fixed|2 not both"), CFG_FIELD(quench_rate, "quenching rate"), CFG_FIELD(temp_from, "initial temperature range, lower end"),
           CFG_FIELD(temp_to, "initial temperature range, upper end"), CFG_FIELD(temp_range_use, codes_from(1, 2), "what the temperature range is for; any other value stops the summary report|1 all ensembles|2 the children")),
    // Records 9 to 11: the move ratios of runs 1 to 3.
    per_run(CFG_RUN(move_3n, "ratio of 3N particles moving"), CFG_RUN(mutation_3n, "ratio of 3N particles mutation"), CFG_RUN(move_ndim, "ratio of N dimension moving"), CFG_RUN(inversion, "ratio of Inversion"), CFG_RUN(dihedral_3n, "ratio of 3N dihedral moving"),
            CFG_RUN(rms_transition, "ratio of RMS transition"), CFG_RUN(arithmetic, "ratio of Arithmetic"), CFG_RUN(geometric, "ratio of Geometric"), CFG_RUN(crossing, "ratio of Crossing"), CFG_RUN(two_point, "ratio of 2-Point Crossover")),
    record(CFG_FIELD(guided_bins, "number of guided-function bins (its resolution)"), CFG_FIELD(guided_probability, "acceptance probability of the guided function; temp_to when guided_use_temperature is 1"), CFG_FIELD(guided_use_temperature, codes_from(1, 2), "use the temperature for the guided function|1 use|2 do not"),
           CFG_FIELD(guided_function, codes_from(1, 2), "guided function|1 do not use|2 use"), CFG_FIELD(guided_start, codes_from(0, 1), "start from the guided data|0 no|1 yes")),
    record(CFG_ELEMENT(mc_steps, 1, "run 1: Monte Carlo steps per recursion, or parallel-GA generations when run 1 is a parallel GA"), CFG_ELEMENT(mmc_max, 1, "run 1: multicanonical MC number"), CFG_ELEMENT(mc_steps, 2, "run 2: Monte Carlo steps per recursion, or parallel-GA generations when run 2 is a parallel GA"), CFG_ELEMENT(mmc_max, 2, "run 2: multicanonical MC number"),
           CFG_ELEMENT(mc_steps, 3, "run 3: Monte Carlo steps per recursion, or parallel-GA generations when run 3 is a parallel GA"), CFG_ELEMENT(mmc_max, 3, "run 3: multicanonical MC number")),
    record(CFG_ELEMENT(run_method, 1, codes_from(1, 4), "method of run 1|1 multicanonical basin hopping|2 canonical basin hopping|3 parallel GA|4 multicanonical annealing"),
           CFG_ELEMENT(run_method, 2, AcceptedCodes{codes_from(1, 3).bits | codes_from(5, 5).bits}, "method of run 2|1 multicanonical basin hopping|2 canonical basin hopping|3 parallel GA|5 set by the program when run 1 is multicanonical annealing"),
           CFG_ELEMENT(run_method, 3, codes_from(1, 3), "method of run 3|1 multicanonical basin hopping|2 canonical basin hopping|3 parallel GA"), CFG_FIELD(tde_from, "width of the energy histogram, from"), CFG_FIELD(tde_to, "width of the energy histogram, to"),
           CFG_FIELD(energy_range_mode, codes_from(0, 3), "how the energy-histogram range is obtained|0 typed as emax and emin|1 automatic (half)|2 the simulated-annealing range|3 a pre-run of basin hopping"), CFG_FIELD(pre_bh_steps, "steps of the pre-run of basin hopping"),
           CFG_FIELD(berg_weighting, codes_from(1, 2), "Berg weighting for the multicanonical parameters|1 use|2 do not")),
    record(CFG_FIELD(conv_from, "convergence range, from"), CFG_FIELD(conv_to, "convergence range, to"), CFG_FIELD(variation_rate, "variation rate of the convergence criterion"), CFG_ELEMENT(rms_scale, 1, "RMS scale of run 1"),
           CFG_ELEMENT(rms_scale, 2, "RMS scale of run 2"), CFG_ELEMENT(rms_scale, 3, "RMS scale of run 3")),
    // Records 16 to 18: the parallel GA of runs 1 to 3.
    per_run(CFG_RUN(pga_ensembles, "ensemble number of the parallel GA (at most 30)"), CFG_RUN(pga_parents, "parents number of the parallel GA"), CFG_RUN(pga_same, "same number of the parallel GA")),
    record(CFG_FIELD(accept_check_adjust, "adjustment of STEP, ASTEP and TEMP at each acceptance check"), CFG_FIELD(accept_ratio_adjust, "adjustment of the acceptance ratio"), CFG_FIELD(temp_min, "lower limit of TEMP"), CFG_FIELD(temp_max, "upper limit of TEMP")),
    record(CFG_FIELD(step_min, "lower limit of STEP"), CFG_FIELD(step_max, "upper limit of STEP"), CFG_FIELD(astep_min, "lower limit of ASTEP"), CFG_FIELD(astep_max, "upper limit of ASTEP"))));

inline constexpr auto kTypeFile = record_file(
    "type.dat", kModel, record(CFG_FIELD(potential_type, codes_from(1, 9), "potential model|1 many-body potential (pure)|2 many-body potential (alloy)|3 protein folding (Beta folding)|4 protein folding (Alpha folding)|5 EAM potential|6 universal protein folding|7 Chen and Imamura protein folding (N form)|8 Chen and Imamura protein folding (3N form)|9 Q-SC force field"), CFG_FIELD(center_of_mass, codes_from(1, 2), "centre of mass|1 move the coordinates to the centre of mass|2 do not")));
inline constexpr auto kAlloyFile = record_file("alloy.dat", kModel, record(CFG_FIELD(a_atom_count, "number of A atoms of a two-species system (the B atoms are the rest of particle_count)")));
inline constexpr auto kParameter1File = record_file("parameter1.dat", kModel, CFG_MANY_BODY(mb_aa, "the many-body A-A interaction"));
inline constexpr auto kParameter2File = record_file("parameter2.dat", kModel, CFG_MANY_BODY(mb_bb, "the many-body B-B interaction"));
inline constexpr auto kParameter3File = record_file("parameter3.dat", kModel, CFG_MANY_BODY(mb_ab, "the many-body A-B interaction"));
inline constexpr auto kProtein1File = record_file(
    "protein1.dat", kModel,
    record(CFG_FIELD(lj_cutoff, "cutoff length of the Lennard-Jones term"), CFG_FIELD(bond_theta0, "theta0 of the bond energy"), CFG_FIELD(bond_cutoff_angle, "cutoff angle of the bond energy"), CFG_ARRAY_ELEMENT(dih_eps, 1, "eps of the dihedral energy (universal model)"),
           CFG_ARRAY_ELEMENT(dih_eps, 2, "eps2 of the dihedral energy (universal model)"), CFG_ARRAY_ELEMENT(dih_eps, 3, "eps3 of the dihedral energy (universal model)"), CFG_ARRAY_ELEMENT(dih_eps, 4, "eps4 of the dihedral energy (universal model)"),
           CFG_FIELD(dih_a, "A of the dihedral energy (Beta and Alpha models)"), CFG_FIELD(dih_b, "B of the dihedral energy (Beta and Alpha models)"), CFG_FIELD(dih_c, "C of the dihedral energy (Beta and Alpha models)"), CFG_FIELD(dih_d, "D of the dihedral energy (Beta and Alpha models)"), CFG_FIELD(lj_e, "energy E of the Lennard-Jones term")));
inline constexpr auto kProtein2File = set_file(
    "protein2.dat", kModel, "residue_set_count", [](auto& m) -> auto& { return m.residue_set_count; },
    "number of residue sets in use, 0 to 10000",  //
    "residues_type", [](auto& m) -> auto& { return m.residues_type; },  //
    "type of residue set k: a pattern of residue letters such as B, LB or LBB",  //
    "residues_num", [](auto& m) -> auto& { return m.residues_num; },  //
    "length of residue set k: how many times its pattern repeats");
inline constexpr auto kEamAaFile = created_when_missing(record_file("eam_aa.dat", kModel, CFG_EAM(eam_aa, "the EAM A-A interaction")));
inline constexpr auto kEamBbFile = created_when_missing(record_file("eam_bb.dat", kModel, CFG_EAM(eam_bb, "the EAM B-B interaction")));
inline constexpr auto kEamAbFile = created_when_missing(record_file("eam_ab.dat", kModel, CFG_EAM(eam_ab, "the EAM A-B interaction")));
inline constexpr auto kChima1File = record_file(
    "chima1.dat", kModel,
    record(CFG_FIELD(ci_bond_length, "Lo, the bond distance"), CFG_FIELD(ci_epsilon, "epsilon, the energy scale"), CFG_FIELD(ci_bond_angle, "bond angle in radians"), CFG_FIELD(ci_exclusive_diameter, "exclusive diameter"),
           CFG_FIELD(ci_extra, "fifth value of the first record of chima1.dat, carried unchanged")),
    record(CFG_ARRAY_ELEMENT(ci_aux, 1, "value 1 of the second record of chima1.dat, carried unchanged"), CFG_ARRAY_ELEMENT(ci_aux, 2, "value 2 of the second record of chima1.dat, carried unchanged"), CFG_ARRAY_ELEMENT(ci_aux, 3, "value 3 of the second record of chima1.dat, carried unchanged"),
           CFG_ARRAY_ELEMENT(ci_aux, 4, "value 4 of the second record of chima1.dat, carried unchanged"), CFG_ARRAY_ELEMENT(ci_aux, 5, "value 5 of the second record of chima1.dat, carried unchanged"), CFG_ARRAY_ELEMENT(ci_aux, 6, "value 6 of the second record of chima1.dat, carried unchanged"),
           CFG_ARRAY_ELEMENT(ci_aux, 7, "value 7 of the second record of chima1.dat, carried unchanged"), CFG_ARRAY_ELEMENT(ci_aux, 8, "value 8 of the second record of chima1.dat, carried unchanged")));
inline constexpr auto kChima2File = set_file(
    "chima2.dat", kModel, "ch_count", [](auto& m) -> auto& { return m.ch_count; },  //
    "number of neutral-bond sets",                                                  //
    "ch_st", [](auto& m) -> auto& { return m.ch_st; },                              //
    "first residue of neutral-bond set k",                                          //
    "ch_end", [](auto& m) -> auto& { return m.ch_end; },                            //
    "last residue of neutral-bond set k");
inline constexpr auto kQscFile =
    record_file("qscff.dat", kModel, record(qsc_count_field(), CFG_FIELD(qsc_file_name, "Q-SC file name: A's name for a pure system, the first letters of A's and B's names for an alloy")), CFG_QSC(qsc_a, "the Q-SC material A"), CFG_QSC(qsc_b, "the Q-SC material B"));

#undef CFG_FIELD
#undef CFG_ELEMENT
#undef CFG_ARRAY_ELEMENT
#undef CFG_RUN
#undef CFG_MEMBER
#undef CFG_MANY_BODY
#undef CFG_EAM
#undef CFG_QSC

}  // namespace field_table_detail

// The energy-model files, in the order of the start-up load; their fields
// live in the EnergyModel.
inline constexpr auto kEnergyFiles = std::tuple{
    field_table_detail::kTypeFile,     field_table_detail::kAlloyFile,      field_table_detail::kParameter1File,
    field_table_detail::kParameter2File, field_table_detail::kParameter3File, field_table_detail::kProtein1File,
    field_table_detail::kProtein2File, field_table_detail::kEamAaFile,      field_table_detail::kEamBbFile,
    field_table_detail::kEamAbFile,    field_table_detail::kChima1File,     field_table_detail::kChima2File,
    field_table_detail::kQscFile};

// Every stored value, file by file, each file's records in file order:
// atom_num.dat, data.dat, then the energy-model files. Loading, saving and
// every command-line look-up walk this one table.
inline constexpr auto kConfigurationFiles =
    std::tuple_cat(std::tuple{field_table_detail::kAtomCountFile, field_table_detail::kDataFile}, kEnergyFiles);

// Calls visit(values...) once per record of a file of fixed records, with the
// values that a read fills, in file order; `part` is the file's part of the
// configuration.
template <class File, class Part, class Visit>
void visit_records(const File& file, Part& part, Visit&& visit) {
  for_each_record(file, [&](const auto& rec) { visit_record(rec, part, visit); });
}
// The same with the values that a save writes.
template <class File, class Part, class Visit>
void visit_written_records(const File& file, const Part& part, Visit&& visit) {
  for_each_record(file, [&](const auto& rec) { visit_record<true>(rec, part, visit); });
}

// The layout of data.dat: calls visit(fields...) once per record, in file
// order, with the record's fields in their order.
template <class Record, class Visit>
void visit_data_records(Record& config, Visit&& visit) {
  visit_records(field_table_detail::kDataFile, config, visit);
}

// The sets of a set file in use: as many as its count says, within the room
// of both columns.
template <class File, class Part>
std::size_t set_rows(const File& file, Part& part) {
  const auto count = file.count(part);
  if (count <= 0) return 0;
  return std::min({static_cast<std::size_t>(count), file.first(part).size(), file.second(part).size()});
}

// Calls f(file) for the energy-model file named `name`; false when there is none.
template <class F>
bool with_energy_file(std::string_view name, F&& f) {
  bool found = false;
  for_each_file(kEnergyFiles, [&](const auto& file) {
    if (!found && std::string_view(file.name) == name) {
      found = true;
      f(file);
    }
  });
  return found;
}

}  // namespace cfg
