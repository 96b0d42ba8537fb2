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
#define CFG_ARRAY_ELEMENT(name, index) element(#name, index, [](auto& c) -> auto& { return c.name[index - 1]; })

#define CFG_RUN(name) run_field(#name, [](auto& c, int run) -> auto& { return c.name[run]; })

// The three kinds of parameter set, each one record of name and five reals.
#define CFG_MEMBER(set, name) member(#set, #name, [](auto& m) -> auto& { return m.set.name; })
#define CFG_MANY_BODY(set) \
  record(CFG_MEMBER(set, name), CFG_MEMBER(set, e0), CFG_MEMBER(set, c0), CFG_MEMBER(set, p), CFG_MEMBER(set, q), \
         CFG_MEMBER(set, r0))
#define CFG_EAM(set) \
  record(CFG_MEMBER(set, name), CFG_MEMBER(set, a), CFG_MEMBER(set, epsilon), CFG_MEMBER(set, c), \
         CFG_MEMBER(set, n), CFG_MEMBER(set, m))
#define CFG_QSC(set) \
  record(CFG_MEMBER(set, name), CFG_MEMBER(set, d), CFG_MEMBER(set, c), CFG_MEMBER(set, m), CFG_MEMBER(set, n), \
         CFG_MEMBER(set, a))

constexpr auto kWhole = [](auto& whole) -> auto& { return whole; };
constexpr auto kConfig = [](auto& whole) -> auto& { return whole.config; };
constexpr auto kModel = [](auto& whole) -> auto& { return whole.model; };

// The count of A atoms in the first record of qscff.dat: read into its own
// field; written as a_atom_count under the Q-SC type, whose count it is.
constexpr auto qsc_count_field() {
  auto get = [](auto& m) -> auto& { return m.qsc_count; };
  auto written = [](const auto& m) { return m.potential_type == 9 ? m.a_atom_count : m.qsc_count; };
  return Field<decltype(get), decltype(written)>{{std::string_view("qsc_count"), {}, 0}, get, {}, written};
}

inline constexpr auto kAtomCountFile =
    record_file("atom_num.dat", kWhole, record(CFG_FIELD(particle_count), CFG_FIELD(seed)));

inline constexpr auto kDataFile = created_when_missing(record_file(
    "data.dat", kConfig,
    record(CFG_FIELD(box_width), CFG_FIELD(sort_accuracy), CFG_FIELD(func_bc), CFG_FIELD(func_fit),
           CFG_FIELD(simplex_tol), CFG_FIELD(cg_tol), CFG_FIELD(random_kind, codes_from(1, 2)),
           CFG_FIELD(close_pack, codes_from(0, 1))),
    record(CFG_FIELD(gga_ensembles), CFG_FIELD(min_method, codes_from(1, 5)), CFG_FIELD(ga_inversion),
           CFG_FIELD(ga_arithmetic), CFG_FIELD(ga_geometric), CFG_FIELD(ga_crossing), CFG_FIELD(ga_two_point),
           CFG_FIELD(ga_mutation_3n), CFG_FIELD(ga_moment_op1), CFG_FIELD(ga_moment_op2),
           CFG_FIELD(ga_dih_move_op1), CFG_FIELD(gga_parents), CFG_FIELD(gga_same), CFG_FIELD(max_gens)),
    record(CFG_FIELD(grad_dx), CFG_FIELD(dfunc_bc), CFG_FIELD(gradient_kind, codes_from(1, 2)),
           CFG_FIELD(gga_euler, codes_from(1, 2)), CFG_FIELD(pga_euler, codes_from(1, 2)),
           CFG_FIELD(gga_euler_factor), CFG_FIELD(pga_euler_factor)),
    record(CFG_FIELD(lbfgs_maxit), CFG_FIELD(mcsrch_update), CFG_FIELD(take_step, codes_from(1, 2)),
           CFG_FIELD(reset_seed, codes_from(1, 2)), CFG_FIELD(dguess), CFG_FIELD(astep), CFG_FIELD(step),
           CFG_FIELD(gtol), CFG_FIELD(sloppy_criterion), CFG_FIELD(convergence_mode, codes_from(1, 3))),
    record(CFG_FIELD(record_mode, codes_from(0, 2)), CFG_FIELD(record_ratio),
           CFG_FIELD(step_record_kind, codes_from(1, 2)), CFG_FIELD(ci_n_form, codes_from(0, 1))),
    record(CFG_FIELD(recover, codes_from(0, 1)), CFG_FIELD(backup_parents, codes_from(0, 1)),
           CFG_FIELD(recover_ratio)),
    record(CFG_FIELD(mbh_bins), CFG_FIELD(beta0), CFG_FIELD(reserved_int7), CFG_FIELD(tempfd), CFG_FIELD(emax),
           CFG_FIELD(emin), CFG_FIELD(accept_check_every), CFG_FIELD(accept_ratio)),
    record(CFG_FIELD(fix_temperature, codes_from(1, 2)), CFG_FIELD(fix_steps, codes_from(1, 2)),
           CFG_FIELD(fix_both, codes_from(1, 2)), CFG_FIELD(quench_rate), CFG_FIELD(temp_from),
           CFG_FIELD(temp_to), CFG_FIELD(temp_range_use, codes_from(1, 2))),
    // Records 9 to 11: the move ratios of runs 1 to 3.
    per_run(CFG_RUN(move_3n), CFG_RUN(mutation_3n), CFG_RUN(move_ndim), CFG_RUN(inversion), CFG_RUN(dihedral_3n),
            CFG_RUN(rms_transition), CFG_RUN(arithmetic), CFG_RUN(geometric), CFG_RUN(crossing), CFG_RUN(two_point)),
    record(CFG_FIELD(guided_bins), CFG_FIELD(guided_probability), CFG_FIELD(guided_use_temperature, codes_from(1, 2)),
           CFG_FIELD(guided_function, codes_from(1, 2)), CFG_FIELD(guided_start, codes_from(0, 1))),
    record(CFG_ELEMENT(mc_steps, 1), CFG_ELEMENT(mmc_max, 1), CFG_ELEMENT(mc_steps, 2), CFG_ELEMENT(mmc_max, 2),
           CFG_ELEMENT(mc_steps, 3), CFG_ELEMENT(mmc_max, 3)),
    record(CFG_ELEMENT(run_method, 1, codes_from(1, 4)),
           CFG_ELEMENT(run_method, 2, AcceptedCodes{codes_from(1, 3).bits | codes_from(5, 5).bits}),
           CFG_ELEMENT(run_method, 3, codes_from(1, 3)), CFG_FIELD(tde_from), CFG_FIELD(tde_to),
           CFG_FIELD(energy_range_mode, codes_from(0, 3)), CFG_FIELD(pre_bh_steps),
           CFG_FIELD(berg_weighting, codes_from(1, 2))),
    record(CFG_FIELD(conv_from), CFG_FIELD(conv_to), CFG_FIELD(variation_rate), CFG_ELEMENT(rms_scale, 1),
           CFG_ELEMENT(rms_scale, 2), CFG_ELEMENT(rms_scale, 3)),
    // Records 16 to 18: the parallel GA of runs 1 to 3.
    per_run(CFG_RUN(pga_ensembles), CFG_RUN(pga_parents), CFG_RUN(pga_same)),
    record(CFG_FIELD(accept_check_adjust), CFG_FIELD(accept_ratio_adjust), CFG_FIELD(temp_min), CFG_FIELD(temp_max)),
    record(CFG_FIELD(step_min), CFG_FIELD(step_max), CFG_FIELD(astep_min), CFG_FIELD(astep_max))));

inline constexpr auto kTypeFile = record_file(
    "type.dat", kModel, record(CFG_FIELD(potential_type, codes_from(1, 9)), CFG_FIELD(center_of_mass, codes_from(1, 2))));
inline constexpr auto kAlloyFile = record_file("alloy.dat", kModel, record(CFG_FIELD(a_atom_count)));
inline constexpr auto kParameter1File = record_file("parameter1.dat", kModel, CFG_MANY_BODY(mb_aa));
inline constexpr auto kParameter2File = record_file("parameter2.dat", kModel, CFG_MANY_BODY(mb_bb));
inline constexpr auto kParameter3File = record_file("parameter3.dat", kModel, CFG_MANY_BODY(mb_ab));
inline constexpr auto kProtein1File = record_file(
    "protein1.dat", kModel,
    record(CFG_FIELD(lj_cutoff), CFG_FIELD(bond_theta0), CFG_FIELD(bond_cutoff_angle), CFG_ARRAY_ELEMENT(dih_eps, 1),
           CFG_ARRAY_ELEMENT(dih_eps, 2), CFG_ARRAY_ELEMENT(dih_eps, 3), CFG_ARRAY_ELEMENT(dih_eps, 4),
           CFG_FIELD(dih_a), CFG_FIELD(dih_b), CFG_FIELD(dih_c), CFG_FIELD(dih_d), CFG_FIELD(lj_e)));
inline constexpr auto kProtein2File = set_file(
    "protein2.dat", kModel, "residue_set_count", [](auto& m) -> auto& { return m.residue_set_count; },
    "residues_type", [](auto& m) -> auto& { return m.residues_type; },  //
    "residues_num", [](auto& m) -> auto& { return m.residues_num; });
inline constexpr auto kEamAaFile = created_when_missing(record_file("eam_aa.dat", kModel, CFG_EAM(eam_aa)));
inline constexpr auto kEamBbFile = created_when_missing(record_file("eam_bb.dat", kModel, CFG_EAM(eam_bb)));
inline constexpr auto kEamAbFile = created_when_missing(record_file("eam_ab.dat", kModel, CFG_EAM(eam_ab)));
inline constexpr auto kChima1File = record_file(
    "chima1.dat", kModel,
    record(CFG_FIELD(ci_bond_length), CFG_FIELD(ci_epsilon), CFG_FIELD(ci_bond_angle), CFG_FIELD(ci_exclusive_diameter),
           CFG_FIELD(ci_extra)),
    record(CFG_ARRAY_ELEMENT(ci_aux, 1), CFG_ARRAY_ELEMENT(ci_aux, 2), CFG_ARRAY_ELEMENT(ci_aux, 3),
           CFG_ARRAY_ELEMENT(ci_aux, 4), CFG_ARRAY_ELEMENT(ci_aux, 5), CFG_ARRAY_ELEMENT(ci_aux, 6),
           CFG_ARRAY_ELEMENT(ci_aux, 7), CFG_ARRAY_ELEMENT(ci_aux, 8)));
inline constexpr auto kChima2File = set_file(
    "chima2.dat", kModel, "ch_count", [](auto& m) -> auto& { return m.ch_count; },  //
    "ch_st", [](auto& m) -> auto& { return m.ch_st; },                              //
    "ch_end", [](auto& m) -> auto& { return m.ch_end; });
inline constexpr auto kQscFile =
    record_file("qscff.dat", kModel, record(qsc_count_field(), CFG_FIELD(qsc_file_name)), CFG_QSC(qsc_a), CFG_QSC(qsc_b));

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
